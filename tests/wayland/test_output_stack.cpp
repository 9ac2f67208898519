// The outputs' images stacked in one canvas: where each output's rows are, how long a row is, and
// which output is the primary.
#include <gtest/gtest.h>

#include "wayland/OutputStack.h"

namespace tavrino::wayland {
namespace {

TEST(OutputStack, OutputsStackedTopLeftMostFirstAtTheWidestRow) {
    // A 4K panel at scale 2 right of a 1280x1024 one that sits lower, and a third above both.
    const OutputStack stack = StackOutputs({
        {7, 1920, 0, 3840, 2160, 2},
        {3, 0, 100, 1280, 1024, 1},
        {9, 500, -1080, 1920, 1080, 1},
    });
    ASSERT_EQ(stack.outputs.size(), 3u);
    EXPECT_EQ(stack.outputs[0].id, 9u);  // the smallest y
    EXPECT_EQ(stack.outputs[1].id, 7u);
    EXPECT_EQ(stack.outputs[2].id, 3u);
    EXPECT_EQ(stack.width, 3840);
    EXPECT_EQ(stack.height, 1080 + 2160 + 1024);
    EXPECT_EQ(stack.Bytes(), std::size_t{3840} * 4264 * 4);
    const std::vector<PixelRect> expected{
        {0, 0, 1920, 1080}, {0, 1080, 3840, 3240}, {0, 3240, 1280, 4264}};
    EXPECT_EQ(stack.Areas(), expected);
    EXPECT_EQ(stack.outputs[1].scale, 2);
}

TEST(OutputStack, TiesGoLeftFirstAndOutputsOfUnknownSizeAreLeftOut) {
    const OutputStack stack = StackOutputs({
        {1, 1920, 0, 1920, 1080, 1},
        {2, 0, 0, 1280, 720, 1},
        {3, -1280, 0, 0, 0, 1},   // not configured yet
        {4, 0, 0, 1280, 720, 1},  // mirrors 2
    });
    ASSERT_EQ(stack.outputs.size(), 3u);
    EXPECT_EQ(stack.outputs[0].id, 2u);
    EXPECT_EQ(stack.outputs[1].id, 4u);
    EXPECT_EQ(stack.outputs[2].id, 1u);
    EXPECT_EQ(stack.outputs[2].area, (PixelRect{0, 1440, 1920, 2520}));
    EXPECT_EQ(StackOutputs({}).Bytes(), 0u);
    EXPECT_TRUE(StackOutputs({{5, 0, 0, 0, 0, 1}}).outputs.empty());
}

TEST(OutputStack, IntersectionIsEmptyWhereRectanglesDoNotMeet) {
    EXPECT_EQ(Intersection({0, 0, 100, 100}, {50, 60, 200, 70}), (PixelRect{50, 60, 100, 70}));
    const PixelRect apart = Intersection({0, 0, 10, 10}, {20, 20, 30, 30});
    EXPECT_EQ(apart.Width(), 0);
    EXPECT_EQ(apart.Height(), 0);
}

TEST(OutputStack, FractionalScalesRoundHalfAwayFromZero) {
    EXPECT_EQ(PixelsOfLogical(1280, 240), 2560);  // the integer scale 2
    EXPECT_EQ(PixelsOfLogical(1366, 150), 1708);  // 1707.5 at 1.25
    EXPECT_EQ(PixelsOfLogical(1707, 90), 1280);   // 1280.25 at 0.75
    EXPECT_EQ(PixelsOfLogical(1, 180), 2);        // 1.5
    EXPECT_EQ(PixelsOfLogical(-1, 180), -2);
    EXPECT_EQ(PixelsOfLogical(3, 140), 4);  // 3.5
    EXPECT_EQ(PixelsOfLogical(7680, 360), 23040);
}

}  // namespace
}  // namespace tavrino::wayland
