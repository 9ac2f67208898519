// Resizing the desktop clock by the bands along its edges.
#include <gtest/gtest.h>

#include "wayland/EdgeResize.h"
#include "wayland/OutputStack.h"

namespace tavrino::wayland {
namespace {

TEST(EdgeResize, TheGrabbedEdgesFollowThePointerDownToTheMinimum) {
    const PixelRect start{100, 100, 356, 356};
    const GrabbedEdges corner = EdgesAt(254, 253, 256, 256);  // the bottom right corner's band
    EXPECT_TRUE(corner.right && corner.bottom && !corner.left && !corner.top);
    EXPECT_EQ(Resized(start, corner, 40, 30, 32), (PixelRect{100, 100, 396, 386}));
    EXPECT_EQ(Resized(start, corner, -500, -500, 32), (PixelRect{100, 100, 132, 132}));

    const GrabbedEdges left = EdgesAt(2, 128, 256, 256);
    EXPECT_TRUE(left.left && !left.top && !left.right && !left.bottom);
    // The right edge stays put, also when the left one is pushed past the minimum.
    EXPECT_EQ(Resized(start, left, -20, 99, 32), (PixelRect{80, 100, 356, 356}));
    EXPECT_EQ(Resized(start, left, 400, 0, 32), (PixelRect{324, 100, 356, 356}));

    EXPECT_FALSE(EdgesAt(128, 128, 256, 256).Any());
    // In a window narrower than both bands the left and top ones win.
    const GrabbedEdges tiny = EdgesAt(5, 5, 8, 8);
    EXPECT_TRUE(tiny.left && tiny.top && !tiny.right && !tiny.bottom);
}

TEST(EdgeResize, CoveringLeavesOutAnEmptyRectangle) {
    EXPECT_EQ(Covering({0, 0, 10, 10}, {20, 5, 30, 40}), (PixelRect{0, 0, 30, 40}));
    EXPECT_EQ(Covering({}, {20, 5, 30, 40}), (PixelRect{20, 5, 30, 40}));
    EXPECT_EQ(Covering({3, 3, 4, 4}, {50, 50, 50, 90}), (PixelRect{3, 3, 4, 4}));
}

}  // namespace
}  // namespace tavrino::wayland
