// The face's wandering over a whole day, minute by minute, on areas from a small window to an
// 8K screen: how far it goes, how fast, and that it visits the whole of its square.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "clockface/FaceDrift.h"

namespace tavrino {
namespace {

struct Area {
    int width;
    int height;
};

TEST(FaceDrift, StaysSlowAndCoversItsWholeSquareEveryDay) {
    for (const Area area : {Area{32, 32}, Area{256, 256}, Area{1920, 1080}, Area{3840, 2160},
                            Area{7680, 4320}, Area{1080, 1920}}) {
        SCOPED_TRACE(testing::Message() << area.width << "x" << area.height);
        const int range = std::min(area.width, area.height) * 2 / 100;
        // Per corner (x then y sign: --, -+, +-, ++), whether some minute came within a quarter
        // of the range of it along both axes.
        std::array<bool, 4> cornerVisited{};
        FaceOffset lowest{};
        FaceOffset highest{};
        FaceOffset previous = DriftOffset(kMinutesPerDay - 1, area.width, area.height);
        for (int minute = 0; minute < kMinutesPerDay; ++minute) {
            const FaceOffset at = DriftOffset(minute, area.width, area.height);
            ASSERT_LE(std::abs(at.x), range) << minute;
            ASSERT_LE(std::abs(at.y), range) << minute;
            // From the previous minute, midnight included.
            ASSERT_LE(std::abs(at.x - previous.x), 2) << minute;
            ASSERT_LE(std::abs(at.y - previous.y), 2) << minute;
            ASSERT_EQ(DriftOffset(minute + kMinutesPerDay, area.width, area.height), at);
            ASSERT_EQ(DriftOffset(minute - 3 * kMinutesPerDay, area.width, area.height), at);
            lowest = {std::min(lowest.x, at.x), std::min(lowest.y, at.y)};
            highest = {std::max(highest.x, at.x), std::max(highest.y, at.y)};
            for (int corner = 0; corner < 4; ++corner) {
                const int towardsX = corner / 2 == 0 ? -at.x : at.x;
                const int towardsY = corner % 2 == 0 ? -at.y : at.y;
                cornerVisited[static_cast<std::size_t>(corner)] |=
                    4 * (range - towardsX) <= range && 4 * (range - towardsY) <= range;
            }
            previous = at;
        }
        for (const int reached : {-lowest.x, -lowest.y, highest.x, highest.y}) {
            EXPECT_GE(4 * reached, 3 * range);
        }
        EXPECT_EQ(cornerVisited, (std::array{true, true, true, true}));
    }
}

// The Windows saver and the render tool on Linux must put the face on the same pixels: at 01:00
// on a 3840x2160 screen the path is exactly half way between two pixels across.
TEST(FaceDrift, AHalfPixelRoundsAwayFromTheCentreOnEveryPlatform) {
    EXPECT_EQ(DriftOffset(60, 3840, 2160), (FaceOffset{22, -29}));
}

}  // namespace
}  // namespace tavrino
