// A whole face drawn on the raster surface, checked at the pixels where its dots must be.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "clockface/Tavrino.h"
#include "surface/ImageSurface.h"

namespace tavrino {
namespace {

class FixedTime final : public TimeSource {
  public:
    explicit FixedTime(LocalTime start) : time(start) {}
    LocalTime Now() override { return time; }

    LocalTime time;
};

constexpr int kSide = 512;
constexpr double kCentre = kSide / 2.0;

// The pixel under a ring (or marker) position at the given distance from the face's centre.
std::uint32_t RingPixel(const RasterSurface& s, int position, double distance) {
    const double angle = (position - 15) * std::numbers::pi / 30.0;
    const auto x = static_cast<int>(kCentre + distance * std::cos(angle));
    const auto y = static_cast<int>(kCentre + distance * std::sin(angle));
    return s.Image().At(x, y);
}

// The pixel under a digit dot: cell position, column 0-4 and row -4 to 4 in digit steps.
std::uint32_t DigitPixel(const RasterSurface& s, int cell, double column, double row) {
    const double step = 2.65 * kSide / 95.0;
    const double left = kCentre + (6 * cell - 12 + (cell > 1 ? 2 : 0)) * step;
    return s.Image().At(static_cast<int>(left + column * step),
                        static_cast<int>(kCentre + row * step));
}

struct Face {
    explicit Face(LocalTime time, bool green = false) : clock(time), face(clock) {
        face.InitClock(surface);
        if (green) {
            face.SetGreenDigits();
        }
        face.DrawClock(Redraw::Everything);
    }
    ImageSurface surface{kSide, kSide};
    FixedTime clock;
    Tavrino face;
};

TEST(FacePixels, RingAtSecondZero) {
    const Face f({10, 34, 0});
    const double ring = kSide / 2.325;
    const double marker = kSide / 2.15;
    EXPECT_EQ(RingPixel(f.surface, 0, ring), PixelOf(kYellowPair.fill));
    EXPECT_EQ(RingPixel(f.surface, 1, ring), PixelOf(kOffPair.fill));
    EXPECT_EQ(RingPixel(f.surface, 5, ring), PixelOf(kOffPair.fill));
    EXPECT_EQ(RingPixel(f.surface, 30, ring), PixelOf(kOffPair.fill));
    for (const int p : {0, 15, 35, 55}) {
        EXPECT_EQ(RingPixel(f.surface, p, marker), PixelOf(kRedPair.fill)) << p;
    }
    // Between the ring and the markers, in the corners and at the centre: background.
    EXPECT_EQ(RingPixel(f.surface, 3, (ring + marker) / 2.0), 0u);
    EXPECT_EQ(f.surface.Image().At(0, 0), 0u);
    EXPECT_EQ(f.surface.Image().At(kSide - 1, kSide - 1), 0u);
    EXPECT_EQ(f.surface.Image().At(kSide / 2, kSide / 2), 0u);
}

TEST(FacePixels, RingAtSecondFourteen) {
    const Face f({10, 34, 14});
    const double ring = kSide / 2.325;
    EXPECT_EQ(RingPixel(f.surface, 5, ring), PixelOf(kYellowPair.fill));
    EXPECT_EQ(RingPixel(f.surface, 14, ring), PixelOf(kGreenPair.fill));
    EXPECT_EQ(RingPixel(f.surface, 15, ring), PixelOf(kOffPair.fill));
}

TEST(FacePixels, DigitsInTheChosenColour) {
    // 10:34: the 1 lights its right strokes only, the 4 its middle bar but no top bar.
    const Face blue({10, 34, 0});
    EXPECT_EQ(DigitPixel(blue.surface, 0, 4, -2.5), PixelOf(kBluePair.fill));
    EXPECT_EQ(DigitPixel(blue.surface, 0, 0, -2.5), PixelOf(kOffPair.fill));
    EXPECT_EQ(DigitPixel(blue.surface, 3, 2, 0), PixelOf(kBluePair.fill));
    EXPECT_EQ(DigitPixel(blue.surface, 3, 2, -4), PixelOf(kOffPair.fill));
    EXPECT_EQ(DigitPixel(blue.surface, 1, 2, 0), PixelOf(kOffPair.fill));  // 0 has no middle bar
    const double step = 2.65 * kSide / 95.0;
    EXPECT_EQ(blue.surface.Image().At(kSide / 2, static_cast<int>(kCentre - 2 * step)),
              PixelOf(kBluePair.fill));  // the colon

    const Face green({10, 34, 0}, true);
    EXPECT_EQ(DigitPixel(green.surface, 0, 4, 2.5), PixelOf(kGreenPair.fill));
    EXPECT_EQ(green.surface.Image().At(kSide / 2, static_cast<int>(kCentre + 2 * step)),
              PixelOf(kGreenPair.fill));
}

TEST(FacePixels, ARunningClockLooksLikeAFreshFace) {
    // From 19:59:58 to 20:00:01 by ordinary ticks: the full ring goes dark but for its first
    // dot, and lit digit dots go dark (the 1's lower right, the middle bars of 9 and 5). A face
    // on a surface that is not square puts its dots between pixels.
    constexpr int kWidth = 517;
    constexpr int kHeight = 389;
    FixedTime clock({19, 59, 58});
    ImageSurface running(kWidth, kHeight);
    Tavrino face(clock);
    face.InitClock(running);
    face.DrawClock(Redraw::Everything);
    for (const LocalTime t : {LocalTime{19, 59, 59}, LocalTime{20, 0, 0}, LocalTime{20, 0, 1}}) {
        clock.time = t;
        face.DrawClock(Redraw::Changed);
    }

    FixedTime finalTime({20, 0, 1});
    ImageSurface fresh(kWidth, kHeight);
    Tavrino freshFace(finalTime);
    freshFace.InitClock(fresh);
    freshFace.DrawClock(Redraw::Everything);

    int differing = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            differing += running.Image().At(x, y) != fresh.Image().At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace tavrino
