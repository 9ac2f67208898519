#include <gtest/gtest.h>

#include "wayland/DeskLayout.h"

namespace tavrino::wayland {
namespace {

// Two outputs as sway lays them out, the right one higher up, and one whose size is not known yet.
const std::vector<DeskOutput> kOutputs{
    {7, {1920, 200, 3200, 920}}, {9, {4000, 0, 4800, 600}}, {3, {0, 300, 1920, 1380}}, {5, {}}};

TEST(DeskLayout, TheTopLeftMostOutputIsThePrimaryAndTheBoxAroundAllHasTheCorner) {
    const DeskLayout desk(kOutputs);
    EXPECT_EQ(desk.Primary(), 9u);  // the smallest top wins, not the smallest left
    EXPECT_EQ(desk.OnDesk(9), (PixelRect{4000, 0, 4800, 600}));
    EXPECT_EQ(desk.OnDesk(3), (PixelRect{0, 300, 1920, 1380}));
    // Wherever the compositor puts its origin.
    const DeskLayout moved({{1, {-1280, -720, 0, 0}}, {2, {0, -500, 1024, 268}}});
    EXPECT_EQ(moved.OnDesk(1), (PixelRect{0, 0, 1280, 720}));
    EXPECT_EQ(moved.OnDesk(2), (PixelRect{1280, 220, 2304, 988}));
    EXPECT_EQ(desk.OnDesk(5), PixelRect{});
    const std::vector<PixelRect> monitors = desk.Monitors();
    ASSERT_EQ(monitors.size(), 3u);
    EXPECT_EQ(monitors.front(), desk.OnDesk(9));

    const DeskLayout tie({{4, {1280, 0, 2560, 720}}, {2, {0, 0, 1280, 720}}});
    EXPECT_EQ(tie.Primary(), 2u);  // then the smallest left
    EXPECT_FALSE(DeskLayout(std::vector<DeskOutput>{{5, {}}}).Primary());
}

TEST(DeskLayout, TheOutputHoldingTheMiddleGivesTheMarginsElseThePrimaryTakesIt) {
    const DeskLayout desk(kOutputs);
    const PixelRect onThird{100, 400, 356, 656};  // middle on output 3
    EXPECT_EQ(desk.Holding(onThird), 3u);
    EXPECT_EQ(desk.OnOutput(onThird, 3), (PixelRect{100, 100, 356, 356}));
    // Half on the next output and above this one, but the middle is on this one.
    const PixelRect straddling{1750, 280, 2080, 380};
    EXPECT_EQ(desk.OutputFor(straddling), 3u);

    const PixelRect nowhere{-1000, 2000, -744, 2256};
    EXPECT_FALSE(desk.Holding(nowhere));
    EXPECT_EQ(desk.OutputFor(nowhere), 9u);
    EXPECT_EQ(desk.KeptOnDesk(nowhere), (PixelRect{4000, 344, 4256, 600}));
    EXPECT_EQ(desk.KeptOnDesk(onThird), onThird);
    // Larger than the primary output: its top-left corner goes onto the output's.
    EXPECT_EQ(desk.KeptOnDesk({-1000, 2000, 0, 3000}), (PixelRect{4000, 0, 5000, 1000}));
}

TEST(DeskLayout, AnOutputThatGoesTakesItsPartOfTheDeskAlong) {
    std::vector<DeskOutput> outputs = kOutputs;
    const PixelRect onFirst{2200, 300, 2456, 556};
    EXPECT_EQ(DeskLayout(outputs).Holding(onFirst), 7u);
    outputs.erase(outputs.begin());  // output 7 goes
    const DeskLayout desk(outputs);
    EXPECT_FALSE(desk.Holding(onFirst));
    EXPECT_EQ(desk.KeptOnDesk(onFirst), (PixelRect{4000, 300, 4256, 556}));
    EXPECT_EQ(desk.OutputFor(desk.KeptOnDesk(onFirst)), 9u);
}

}  // namespace
}  // namespace tavrino::wayland
