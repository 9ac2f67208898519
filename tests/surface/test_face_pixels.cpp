// A whole face drawn on the raster surface, checked at the pixels where its dots must be.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "clockface/Tavrino.h"
#include "support/ScreenCanvas.h"
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

// A face freshly drawn whole at that time.
struct Face {
    explicit Face(LocalTime time, bool green = false) : Face(time, kSide, kSide) {
        if (green) {
            face.SetGreenDigits();
            face.DrawClock(Redraw::Everything);
        }
    }
    Face(LocalTime time, int width, int height, FaceOffset offset = {})
        : surface(width, height), clock(time), face(clock) {
        face.InitClock(surface);
        face.SetOffset(offset);
        face.DrawClock(Redraw::Everything);
    }
    ImageSurface surface;
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

// A face drawn whole on a canvas that a window shows.
struct ShownFace {
    ShownFace(int width, int height, LocalTime time) : screen(width, height), clock(time) {
        face.InitClock(surface);
        face.DrawClock(Redraw::Everything);
    }
    ScreenCanvas screen;
    RasterSurface surface{screen};
    FixedTime clock;
    Tavrino face{clock};
};

class RunningFace : public ::testing::TestWithParam<std::pair<int, int>> {};

// Second by second across a whole minute and its two ends, then with the clock set back an hour
// and moved within a minute both ways: after every tick the screen shows exactly what a fresh
// forced render of that time draws. Below about 106 pixels neighbouring ring dots share pixels;
// sides that are not square put the dots between pixels.
TEST_P(RunningFace, ShowsWhatAFreshRenderDrawsAfterEveryTick) {
    const auto [width, height] = GetParam();
    std::vector<LocalTime> times;
    for (int second = 58; second < 60 + 60 + 2; ++second) {
        times.push_back({19 + (second >= 60), (59 + second / 60) % 60, second % 60});
    }
    for (const LocalTime t : {LocalTime{19, 0, 2}, LocalTime{19, 0, 40}, LocalTime{19, 0, 7}}) {
        times.push_back(t);
    }
    ShownFace running(width, height, {19, 59, 57});
    for (const LocalTime t : times) {
        running.clock.time = t;
        running.face.DrawClock(Redraw::Changed);
        Face fresh(t, width, height);
        ASSERT_EQ(DifferingPixels(running.screen.Screen(), fresh.surface.Image()), 0)
            << width << "x" << height << " at " << t.hour << ":" << t.minute << ":" << t.second;
    }
}

// A face that moves a pixel at a minute, or further when set so, leaves nothing at its old place
// and draws exactly what a fresh render at the new place does, its dots sharing pixels or not.
TEST_P(RunningFace, AMovedFaceShowsWhatAFreshRenderThereDraws) {
    const auto [width, height] = GetParam();
    ShownFace running(width, height, {7, 59, 59});
    const FaceOffset moves[] = {{1, 0}, {1, 1}, {0, 2}, {-3, -2}, {0, 0}};
    int minute = 0;
    for (const FaceOffset offset : moves) {
        running.clock.time = {8, minute++, 0};
        running.face.SetOffset(offset);
        running.face.DrawClock(Redraw::Changed);
        Face fresh(running.clock.time, width, height, offset);
        ASSERT_EQ(DifferingPixels(running.screen.Screen(), fresh.surface.Image()), 0)
            << width << "x" << height << " moved to " << offset.x << ", " << offset.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RunningFace,
                         ::testing::Values(std::pair{32, 32}, std::pair{57, 43},
                                           std::pair{105, 105}, std::pair{107, 109},
                                           std::pair{517, 389}, std::pair{1200, 1200}));

TEST(FacePixels, AFaceOnARegionOfTheSurfaceEqualsOneOnASurfaceOfTheRegionsSize) {
    constexpr PixelRect kRegion{801, 3, 1441, 483};
    ScreenCanvas screen(1500, 600);
    RasterSurface whole(screen);
    FixedTime clock({10, 8, 30});
    const std::unique_ptr<Surface> region = whole.Region(kRegion);
    Tavrino face(clock);
    face.InitClock(*region);
    face.DrawClock(Redraw::Everything);
    EXPECT_EQ(screen.presented, kRegion);

    const Face alone({10, 8, 30}, kRegion.Width(), kRegion.Height());
    const PixmapView shown = screen.Screen();
    int differing = 0;
    for (int y = 0; y < kRegion.Height(); ++y) {
        for (int x = 0; x < kRegion.Width(); ++x) {
            differing +=
                shown.At(kRegion.left + x, kRegion.top + y) != alone.surface.Image().At(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(FacePixels, ATickPresentsOnlyTheDotThatLights) {
    ShownFace shown(kSide, kSide, {10, 34, 14});
    EXPECT_EQ(shown.screen.presented, (PixelRect{0, 0, kSide, kSide}));

    shown.clock.time = {10, 34, 15};  // the dot at three o'clock, on the face's middle row
    shown.face.DrawClock(Redraw::Changed);
    const double ring = kSide / 2.325;
    const double reach = kSide / 90.0 + 0.5;
    EXPECT_EQ(shown.screen.presented,
              (PixelRect{static_cast<int>(std::floor(kCentre + ring - reach)),
                         static_cast<int>(std::floor(kCentre - reach)),
                         static_cast<int>(std::ceil(kCentre + ring + reach)),
                         static_cast<int>(std::ceil(kCentre + reach))}));
}

}  // namespace
}  // namespace tavrino
