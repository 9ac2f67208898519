// The clock face as its surface sees it: which dots it paints, where, in which colours and in
// which order, and when it paints nothing. Expected positions come from the face's proportions,
// and expected glyphs from the dot picture below, not from the face's own tables.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <map>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clockface/Tavrino.h"
#include "support/RecordingSurface.h"

namespace tavrino {
namespace {

constexpr std::size_t kDigitCircles =
    std::size_t{4} * 27;  // each digit call repaints the colon too
constexpr std::size_t kRingCircles = 72;

// The ten glyphs as they look on the face: # lit, o unlit, . no dot. One string per dot row, five
// characters per glyph for columns 0 to 4.
constexpr std::array<std::string_view, 11> kGlyphPicture{
    ".###. .ooo. .###. .###. .ooo. .###. .###. .###. .###. .###.",  // -4
    "#...# o...# o...# o...# #...# #...o #...o o...# #...# #...#",  // -3.5
    "#...# o...# o...# o...# #...# #...o #...o o...# #...# #...#",  // -2.5
    "#...# o...# o...# o...# #...# #...o #...o o...# #...# #...#",  // -1.5
    "#...# o...# o...# o...# #...# #...o #...o o...# #...# #...#",  // -0.5
    ".ooo. .ooo. .###. .###. .###. .###. .###. .ooo. .###. .###.",  // 0
    "#...# o...# #...o o...# o...# o...# #...# o...# #...# o...#",  // 0.5
    "#...# o...# #...o o...# o...# o...# #...# o...# #...# o...#",  // 1.5
    "#...# o...# #...o o...# o...# o...# #...# o...# #...# o...#",  // 2.5
    "#...# o...# #...o o...# o...# o...# #...# o...# #...# o...#",  // 3.5
    ".###. .ooo. .###. .###. .ooo. .###. .###. .ooo. .###. .###.",  // 4
};
constexpr std::array<double, 11> kPictureRows{-4, -3.5, -2.5, -1.5, -0.5, 0, 0.5, 1.5, 2.5, 3.5, 4};
constexpr std::array<int, 4> kCellLeftSteps{-12, -6, 2, 8};

// A cell's dots keyed by (column, row in half steps), each '#' or 'o'.
using Cell = std::map<std::pair<int, int>, char>;

Cell PictureOf(int value) {
    Cell cell;
    for (std::size_t r = 0; r < kPictureRows.size(); ++r) {
        for (int column = 0; column < 5; ++column) {
            const char c = kGlyphPicture[r][static_cast<std::size_t>(value * 6 + column)];
            if (c != '.') {
                cell[{column, static_cast<int>(kPictureRows[r] * 2)}] = c;
            }
        }
    }
    return cell;
}

bool SameColours(const CircleOp& dot, const DotColours& pair) {
    return dot.rim == pair.rim && dot.fill == pair.fill;
}

// The face's proportions for a surface of the given size, in double precision.
struct Geometry {
    double width;
    double height;

    double CentreX() const { return width / 2; }
    double CentreY() const { return height / 2; }
    double Shorter() const { return std::min(width, height); }
    double Step() const { return 2.65 * Shorter() / 95; }
    double Dot() const { return Shorter() / 90; }
    double Ring() const { return Shorter() / 2.325; }
    double Marker() const { return Shorter() / 2.15; }

    // Clockwise from the top in 6-degree steps, 0 to 59.
    int PositionOf(const CircleOp& dot) const {
        const double turn =
            std::atan2(dot.x - CentreX(), CentreY() - dot.y) / (2 * std::numbers::pi);
        return (static_cast<int>(std::lround(turn * 60)) + 60) % 60;
    }
    double DistanceOf(const CircleOp& dot) const {
        return std::hypot(dot.x - CentreX(), dot.y - CentreY());
    }

    // The 25 dots of the cell at a position, checked to sit on the grid, keyed by grid place.
    Cell ReadCell(std::span<const CircleOp> dots, int position, const DotColours& digit) const {
        Cell cell;
        const double left = CentreX() + kCellLeftSteps[static_cast<std::size_t>(position)] * Step();
        for (const CircleOp& dot : dots) {
            const double column = (dot.x - left) / Step();
            const double halfRow = 2 * (dot.y - CentreY()) / Step();
            EXPECT_NEAR(column, std::round(column), 1e-4) << dot;
            EXPECT_NEAR(halfRow, std::round(halfRow), 1e-4) << dot;
            const char look = SameColours(dot, digit)      ? '#'
                              : SameColours(dot, kOffPair) ? 'o'
                                                           : '?';
            cell[{static_cast<int>(std::lround(column)), static_cast<int>(std::lround(halfRow))}] =
                look;
        }
        return cell;
    }

    // The four values shown by the digit dots of a redraw: the first 108 circles.
    std::array<int, 4> ReadDigits(const std::vector<CircleOp>& circles,
                                  const DotColours& digit) const {
        std::array<int, 4> values{-1, -1, -1, -1};
        for (int position = 0; position < 4; ++position) {
            const auto call =
                std::span(circles).subspan(static_cast<std::size_t>(position) * 27, 27);
            const Cell cell = ReadCell(call.subspan(2), position, digit);
            for (int value = 0; value < 10; ++value) {
                if (cell == PictureOf(value)) {
                    values[static_cast<std::size_t>(position)] = value;
                }
            }
        }
        return values;
    }
};

class FixedTime final : public TimeSource {
  public:
    LocalTime now;
    LocalTime Now() override { return now; }
};

class ClockFaceTest : public ::testing::Test {
  protected:
    void Start(double width, double height, LocalTime now) {
        surface.SetInnerSize(width, height);
        time.now = now;
        face.InitClock(surface);
    }
    // Runs one call and returns what it drew.
    std::vector<CircleOp> Draw(Redraw redraw) {
        surface.ClearLog();
        face.DrawClock(redraw);
        return surface.Circles();
    }

    const Geometry geometry{465, 465};
    RecordingSurface surface;
    FixedTime time;
    Tavrino face{time};
};

TEST_F(ClockFaceTest, DrawsOnlyWhatChangedAndRefreshesAfterTheRing) {
    Start(465, 465, {12, 34, 56});
    EXPECT_EQ(Draw(Redraw::Everything).size(), kDigitCircles + kRingCircles);
    EXPECT_EQ(surface.Log().back().kind, SurfaceOpKind::Refresh);
    EXPECT_EQ(surface.Count(SurfaceOpKind::Refresh), 1u);

    // Same second: the size, the time and the fill mode are read, nothing more.
    EXPECT_TRUE(Draw(Redraw::Changed).empty());
    EXPECT_EQ(surface.Kinds(), (std::vector{SurfaceOpKind::InnerWidth, SurfaceOpKind::InnerHeight,
                                            SurfaceOpKind::GetFillMode}));

    time.now = {12, 34, 57};
    const std::vector<CircleOp> lit = Draw(Redraw::Changed);
    ASSERT_EQ(lit.size(), 1u);  // only the dot that lights: the face is too large for neighbours
    EXPECT_EQ(lit[0].rim, kGreenPair.rim);
    EXPECT_EQ(surface.Log().back().kind, SurfaceOpKind::Refresh);

    time.now = {12, 35, 0};
    const std::vector<CircleOp> both = Draw(Redraw::Changed);
    ASSERT_EQ(both.size(), kDigitCircles + kRingCircles);
    EXPECT_EQ(geometry.ReadDigits(both, kBluePair), (std::array{1, 2, 3, 5}));
    EXPECT_EQ(surface.Log().back().kind, SurfaceOpKind::Refresh);

    // Nothing changed, but a forced call repaints everything.
    EXPECT_EQ(Draw(Redraw::Everything).size(), kDigitCircles + kRingCircles);
    EXPECT_EQ(surface.Count(SurfaceOpKind::Refresh), 1u);

    // A minute change in the same second repaints the digits; only the ring refreshes, and the
    // next one is whole, since digits may overlap it.
    time.now = {12, 36, 0};
    EXPECT_EQ(Draw(Redraw::Changed).size(), kDigitCircles);
    EXPECT_EQ(surface.Count(SurfaceOpKind::Refresh), 0u);
    time.now = {12, 36, 1};
    EXPECT_EQ(Draw(Redraw::Changed).size(), kRingCircles);
    // Only a new minute repaints the ring whole, not the second after it.
    time.now = {12, 37, 0};
    Draw(Redraw::Changed);
    time.now = {12, 37, 1};
    EXPECT_EQ(Draw(Redraw::Changed).size(), 1u);
}

TEST_F(ClockFaceTest, HourChangeWithTheSameMinuteRedrawsTheDigits) {
    Start(465, 465, {11, 30, 10});
    Draw(Redraw::Everything);
    time.now = {12, 30, 10};
    const std::vector<CircleOp> circles = Draw(Redraw::Changed);
    ASSERT_EQ(circles.size(), kDigitCircles);
    EXPECT_EQ(geometry.ReadDigits(circles, kBluePair), (std::array{1, 2, 3, 0}));
}

TEST_F(ClockFaceTest, DoesNothingBeforeInitClock) {
    time.now = {12, 34, 56};
    face.DrawClock(Redraw::Everything);
    face.DrawSeconds(30);
    face.DrawDigit(8, 0);

    // No state was touched: the first ordinary tick still finds everything changed.
    Start(465, 465, {12, 34, 56});
    EXPECT_TRUE(surface.Log().empty());
    EXPECT_EQ(Draw(Redraw::Changed).size(), kDigitCircles + kRingCircles);
}

TEST_F(ClockFaceTest, SurfaceWithoutAreaIsSkippedUntilItHasOne) {
    Start(0.4, 0.2, {12, 34, 56});  // both sides round to 0
    EXPECT_TRUE(Draw(Redraw::Everything).empty());
    EXPECT_EQ(surface.Kinds(),
              (std::vector{SurfaceOpKind::InnerWidth, SurfaceOpKind::InnerHeight}));

    surface.SetInnerSize(465, 465);
    EXPECT_EQ(Draw(Redraw::Changed).size(), kDigitCircles + kRingCircles);
    EXPECT_EQ(surface.Count(SurfaceOpKind::Refresh), 1u);

    // One side 0: the face collapses to dots of radius 0, drawn as usual.
    surface.SetInnerSize(300, 0);
    const std::vector<CircleOp> flat = Draw(Redraw::Everything);
    ASSERT_EQ(flat.size(), kDigitCircles + kRingCircles);
    for (const CircleOp& dot : flat) {
        EXPECT_EQ(dot.radius, 0.0f);
        EXPECT_NEAR(dot.x, 150, 1e-4);
        EXPECT_EQ(dot.y, 0.0f);
    }
}

TEST_F(ClockFaceTest, SetsTheFillModeToSolidOnlyWhenItIsNot) {
    Start(465, 465, {12, 34, 56});
    surface.ForceFillMode(FillMode::Transparent);
    Draw(Redraw::Everything);
    EXPECT_EQ(surface.Count(SurfaceOpKind::SetFillMode), 1u);
    EXPECT_LT(surface.IndexOf(SurfaceOpKind::SetFillMode), surface.IndexOf(SurfaceOpKind::Circle));
    for (const CircleOp& dot : surface.Circles()) {
        ASSERT_EQ(dot.fillMode, FillMode::Solid);
    }

    Draw(Redraw::Everything);
    EXPECT_EQ(surface.Count(SurfaceOpKind::SetFillMode), 0u);
}

// --- The second ring ---

class SecondRingTest : public ClockFaceTest, public ::testing::WithParamInterface<int> {};

TEST_P(SecondRingTest, LightsPositionsUpToTheSecondClockwiseWithMarkersFirst) {
    const int second = GetParam();
    Start(465, 465, {12, 34, second});
    const std::vector<CircleOp> circles = Draw(Redraw::Everything);
    ASSERT_EQ(circles.size(), kDigitCircles + kRingCircles);

    int lit = 0;
    int expectedPosition = 0;
    for (std::size_t i = kDigitCircles; i < circles.size(); ++i) {
        const CircleOp& dot = circles[i];
        const int position = geometry.PositionOf(dot);
        EXPECT_NEAR(dot.radius, geometry.Dot(), 1e-4);
        if (std::abs(geometry.DistanceOf(dot) - geometry.Marker()) < 1e-3) {
            // A marker comes just before the ring dot at its angle, every fifth position.
            EXPECT_EQ(position, expectedPosition);
            EXPECT_EQ(position % 5, 0);
            EXPECT_TRUE(SameColours(dot, kRedPair)) << dot;
            continue;
        }
        EXPECT_NEAR(geometry.DistanceOf(dot), geometry.Ring(), 1e-3) << dot;
        EXPECT_EQ(position, expectedPosition++);
        if (position > second) {
            EXPECT_TRUE(SameColours(dot, kOffPair)) << dot;
        } else {
            ++lit;
            EXPECT_TRUE(SameColours(dot, position % 5 == 0 ? kYellowPair : kGreenPair)) << dot;
        }
    }
    EXPECT_EQ(expectedPosition, 60);
    EXPECT_EQ(lit, second + 1);
}

INSTANTIATE_TEST_SUITE_P(Seconds, SecondRingTest, ::testing::Values(0, 14, 59));

TEST_F(ClockFaceTest, RingGeometryOnSquareAndWideSurfaces) {
    Start(465, 465, {12, 34, 0});
    std::vector<CircleOp> circles = Draw(Redraw::Everything);
    ASSERT_EQ(circles.size(), kDigitCircles + kRingCircles);
    // Ring dots at positions 0, 15, 30 and 45; each is preceded by its marker.
    const std::array<std::pair<float, float>, 4> quarters{
        {{232.5f, 32.5f}, {432.5f, 232.5f}, {232.5f, 432.5f}, {32.5f, 232.5f}}};
    for (std::size_t q = 0; q < quarters.size(); ++q) {
        const CircleOp& dot = circles[kDigitCircles + q * 18 + 1];
        EXPECT_NEAR(dot.x, quarters[q].first, 1e-4);
        EXPECT_NEAR(dot.y, quarters[q].second, 1e-4);
    }
    const CircleOp& topMarker = circles[kDigitCircles];
    EXPECT_NEAR(topMarker.x, 232.5, 1e-4);
    EXPECT_NEAR(topMarker.y, 232.5 - 216.28, 1e-2);
    EXPECT_NEAR(topMarker.radius, 5.17, 1e-2);

    // The wide surface is sized by its height and centred.
    const Geometry wide{300, 200};
    surface.SetInnerSize(300, 200);
    circles = Draw(Redraw::Everything);
    ASSERT_EQ(circles.size(), kDigitCircles + kRingCircles);
    EXPECT_NEAR(circles[kDigitCircles + 1].y, 100 - 86.02, 1e-2);  // ring, position 0
    EXPECT_NEAR(circles[kDigitCircles + 18 + 1].x, 150 + 86.02, 1e-2);
    EXPECT_NEAR(circles[kDigitCircles + 18].x, 150 + 93.02, 1e-2);  // marker, position 15
    EXPECT_NEAR(circles[kDigitCircles + 18].y, 100, 1e-4);
    for (std::size_t i = kDigitCircles; i < circles.size(); ++i) {
        EXPECT_NEAR(circles[i].radius, 2.22, 1e-2);
        const double distance = wide.DistanceOf(circles[i]);
        EXPECT_TRUE(std::abs(distance - wide.Ring()) < 1e-3 ||
                    std::abs(distance - wide.Marker()) < 1e-3)
            << circles[i];
    }
}

TEST_F(ClockFaceTest, RingAnglesAreWorkedOutInDoubleThenStoredInSingle) {
    // On a 1000 unit face an angle rounded to single only after (2 i) pi / 60 in double puts
    // some dots a few ten-thousandths away from where single arithmetic throughout would.
    Start(1000, 1000, {12, 34, 0});
    const std::vector<CircleOp> circles = Draw(Redraw::Everything);
    ASSERT_EQ(circles.size(), kDigitCircles + kRingCircles);
    const auto ring = static_cast<float>(1000.0f / 2.325);
    std::size_t index = kDigitCircles;
    for (int i = -15; i < 45; ++i) {
        if ((i + 15) % 5 == 0) {
            ++index;  // the marker before it
        }
        const auto angle = static_cast<float>(2.0 * i * 3.141592653589 / 60.0);
        const CircleOp& dot = circles[index++];
        EXPECT_EQ(dot.x, static_cast<float>(std::cos(double{angle}) * ring + 500.0)) << i;
        EXPECT_EQ(dot.y, static_cast<float>(std::sin(double{angle}) * ring + 500.0)) << i;
    }
}

// --- The digits ---

TEST_F(ClockFaceTest, EveryGlyphAtEveryPositionMatchesThePicture) {
    Start(465, 465, {12, 34, 56});
    Draw(Redraw::Everything);
    for (std::int16_t position = 0; position < 4; ++position) {
        for (std::int16_t value = 0; value < 10; ++value) {
            surface.ClearLog();
            face.DrawDigit(value, position);
            const std::vector<CircleOp> dots = surface.Circles();
            ASSERT_EQ(dots.size(), 27u);
            EXPECT_EQ(geometry.ReadCell(std::span(dots).subspan(2), position, kBluePair),
                      PictureOf(value))
                << "value " << value << " at position " << position;
        }
    }
    // Values and positions outside the four cells draw nothing.
    surface.ClearLog();
    face.DrawDigit(10, 0);
    face.DrawDigit(-1, 0);
    face.DrawDigit(8, 4);
    face.DrawDigit(8, -1);
    EXPECT_TRUE(surface.Circles().empty());
}

TEST_F(ClockFaceTest, DrawsTheColonThenSegmentsAToGInOrder) {
    Start(465, 465, {12, 34, 56});
    Draw(Redraw::Everything);
    surface.ClearLog();
    face.DrawDigit(8, 1);
    const std::vector<CircleOp> dots = surface.Circles();
    ASSERT_EQ(dots.size(), 27u);

    EXPECT_NEAR(dots[0].x, geometry.CentreX(), 1e-4);
    EXPECT_NEAR(dots[0].y, geometry.CentreY() - 2 * geometry.Step(), 1e-4);
    EXPECT_NEAR(dots[1].x, geometry.CentreX(), 1e-4);
    EXPECT_NEAR(dots[1].y, geometry.CentreY() + 2 * geometry.Step(), 1e-4);

    // (column, half rows): a, b, c, d, e, f, g.
    const std::vector<std::pair<int, int>> order{
        {1, -8}, {2, -8}, {3, -8}, {4, -7}, {4, -5}, {4, -3}, {4, -1}, {4, 1}, {4, 3},
        {4, 5},  {4, 7},  {3, 8},  {2, 8},  {1, 8},  {0, 7},  {0, 5},  {0, 3}, {0, 1},
        {0, -1}, {0, -3}, {0, -5}, {0, -7}, {1, 0},  {2, 0},  {3, 0}};
    const double left = geometry.CentreX() - 6 * geometry.Step();
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_NEAR(dots[i + 2].x, left + order[i].first * geometry.Step(), 1e-3) << i;
        EXPECT_NEAR(dots[i + 2].y, geometry.CentreY() + order[i].second * geometry.Step() / 2, 1e-3)
            << i;
    }

    // The fill colour is set once for the colon and once per segment.
    EXPECT_EQ(surface.Count(SurfaceOpKind::SetFillColour), 8u);
    EXPECT_EQ(surface.Kinds().front(), SurfaceOpKind::SetFillColour);
}

TEST_F(ClockFaceTest, OneOverEightRepaintsEveryDotOfTheCell) {
    Start(465, 465, {12, 34, 56});
    Draw(Redraw::Everything);
    surface.ClearLog();
    face.DrawDigit(8, 0);
    face.DrawDigit(1, 0);
    std::map<std::pair<float, float>, CircleOp> last;
    for (const CircleOp& dot : surface.Circles()) {
        last[{dot.x, dot.y}] = dot;
    }
    ASSERT_EQ(last.size(), 27u);  // the same 25 places and the colon, painted twice
    int lit = 0;
    for (const auto& [place, dot] : last) {
        lit += SameColours(dot, kBluePair) ? 1 : 0;
    }
    EXPECT_EQ(lit, 2 + 8);  // the colon and segments b and c
}

TEST_F(ClockFaceTest, TensDigitsOfHoursAndMinutes) {
    Start(465, 465, {0, 0, 0});
    for (const int hour : {7, 14, 19, 23}) {
        for (const int minute : {5, 14, 19, 23, 28, 41, 46}) {
            time.now = {hour, minute, 0};
            const std::vector<CircleOp> circles = Draw(Redraw::Everything);
            ASSERT_EQ(circles.size(), kDigitCircles + kRingCircles);
            EXPECT_EQ(geometry.ReadDigits(circles, kBluePair),
                      (std::array{hour / 10, hour % 10, minute / 10, minute % 10}))
                << hour << ":" << minute;
        }
    }
}

TEST_F(ClockFaceTest, DigitColoursFollowTheChosenPair) {
    face.SetGreenDigits();  // overridden: InitClock selects blue
    Start(465, 465, {8, 8, 8});
    EXPECT_EQ(geometry.ReadDigits(Draw(Redraw::Everything), kBluePair), (std::array{0, 8, 0, 8}));

    surface.ClearLog();
    face.SetGreenDigits();
    EXPECT_TRUE(surface.Log().empty());  // shows only at the next redraw
    std::vector<CircleOp> circles = Draw(Redraw::Everything);
    EXPECT_EQ(geometry.ReadDigits(circles, kGreenPair), (std::array{0, 8, 0, 8}));
    EXPECT_TRUE(SameColours(circles[0], kGreenPair));  // colon

    face.SetBlueDigits();
    circles = Draw(Redraw::Everything);
    EXPECT_EQ(geometry.ReadDigits(circles, kBluePair), (std::array{0, 8, 0, 8}));
    EXPECT_TRUE(SameColours(circles[1], kBluePair));
}

TEST_F(ClockFaceTest, DigitGeometryOnA950Surface) {
    // Not square: the shorter side, 950, sizes the face; the longer one only moves the centre.
    Start(1200, 950, {0, 0, 0});
    const std::vector<CircleOp> circles = Draw(Redraw::Everything);
    ASSERT_EQ(circles.size(), kDigitCircles + kRingCircles);
    float left = 1e9f;
    float right = -1e9f;
    for (std::size_t i = 2; i < 27; ++i) {
        left = std::min(left, circles[i].x);
        right = std::max(right, circles[i].x);
        EXPECT_NEAR(circles[i].radius, 10.56, 1e-2);
    }
    EXPECT_FLOAT_EQ(left, 600 - 318);
    EXPECT_FLOAT_EQ(right, 600 - 212);
    EXPECT_FLOAT_EQ(circles[0].x, 600);
    EXPECT_FLOAT_EQ(circles[0].y, 475 - 53);
    EXPECT_FLOAT_EQ(circles[1].y, 475 + 53);
}

TEST_F(ClockFaceTest, SizesRoundToNearestWithTiesToEven) {
    Start(464.5, 465.5, {0, 0, 0});  // measured as 464 x 466
    const std::vector<CircleOp> circles = Draw(Redraw::Everything);
    ASSERT_FALSE(circles.empty());
    EXPECT_FLOAT_EQ(circles[0].x, 232);
    EXPECT_NEAR(circles[0].radius, 464.0 / 90, 1e-4);
    EXPECT_NEAR(circles[0].y, 233 - 2 * 2.65 * 464 / 95, 1e-3);
}

// --- Wandering and brightness ---

TEST_F(ClockFaceTest, OffsetMovesEveryDotAndRedrawsTheFaceOnce) {
    Start(465, 465, {12, 34, 56});
    const std::vector<CircleOp> centred = Draw(Redraw::Everything);

    face.SetOffset({7, -3});
    const std::vector<CircleOp> moved = Draw(Redraw::Changed);
    ASSERT_EQ(moved.size(), centred.size());
    for (std::size_t i = 0; i < moved.size(); ++i) {
        EXPECT_NEAR(moved[i].x, centred[i].x + 7, 1e-3) << i;
        EXPECT_NEAR(moved[i].y, centred[i].y - 3, 1e-3) << i;
        EXPECT_EQ(moved[i].radius, centred[i].radius) << i;
        EXPECT_TRUE(SameColours(moved[i], {centred[i].rim, centred[i].fill})) << i;
    }
    EXPECT_TRUE(Draw(Redraw::Changed).empty());
    face.SetOffset({7, -3});
    EXPECT_TRUE(Draw(Redraw::Changed).empty());

    face.SetOffset({});
    EXPECT_EQ(Draw(Redraw::Changed), centred);
}

Colour ScaledChannels(Colour colour, double factor) {
    Colour scaled = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double channel = static_cast<double>((colour >> shift) & 0xFF);
        scaled |= static_cast<Colour>(std::lround(channel * factor)) << shift;
    }
    return scaled;
}

TEST_F(ClockFaceTest, BrightnessScalesEveryColourLitAndUnlit) {
    Start(465, 465, {12, 34, 56});
    const std::vector<CircleOp> full = Draw(Redraw::Everything);

    face.SetBrightness(40);
    const std::vector<CircleOp> dimmed = Draw(Redraw::Changed);
    ASSERT_EQ(dimmed.size(), full.size());
    for (std::size_t i = 0; i < dimmed.size(); ++i) {
        EXPECT_EQ(dimmed[i].rim, ScaledChannels(full[i].rim, 0.4)) << i;
        EXPECT_EQ(dimmed[i].fill, ScaledChannels(full[i].fill, 0.4)) << i;
        EXPECT_EQ(dimmed[i].x, full[i].x) << i;
        EXPECT_EQ(dimmed[i].y, full[i].y) << i;
    }
    EXPECT_EQ(dimmed[0].rim, 0x4D0000u);  // the blue digits' rim, 0xC0 x 0.4 = 76.8
    face.SetBrightness(40);
    EXPECT_TRUE(Draw(Redraw::Changed).empty());

    // Out of range: as dim as 10 % at most, never brighter than the palette.
    face.SetBrightness(3);
    const std::vector<CircleOp> dimmest = Draw(Redraw::Changed);
    ASSERT_EQ(dimmest.size(), full.size());
    EXPECT_EQ(dimmest[0].fill, ScaledChannels(kBluePair.fill, 0.1));
    face.SetBrightness(250);
    EXPECT_EQ(Draw(Redraw::Changed), full);
}

}  // namespace
}  // namespace tavrino
