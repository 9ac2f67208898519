// Dragging the desktop clock: the grab point, which buttons drag, and the position lock.
#include <gtest/gtest.h>

#include "program/WindowDrag.h"
#include "support/FakeFrontend.h"

namespace tavrino {
namespace {

PointerMove Move(int x, int y, bool left = false, bool right = false, bool middle = false) {
    return {x, y, left, right, middle};
}

class WindowDragTest : public ::testing::Test {
  protected:
    void Follow(const PointerMove& move, bool locked = false) {
        // Unequal across and down, so that a motion taken along the wrong axis shows.
        drag.Follow(window, move, locked, TwipsPerPixel::Of({120, 144}));
    }
    PixelRect At(int left, int top) const { return {left, top, left + 256, top + 128}; }

    FakeSystem system;
    FakeClockWindow window{system};
    WindowDrag drag;

    void SetUp() override { window.rect = At(100, 200); }
};

TEST_F(WindowDragTest, LeftDragBeforeAnyPlainMoveUsesTheCornerAsGrabPoint) {
    Follow(Move(20, 30, true));
    EXPECT_EQ(window.rect, At(120, 230));
}

TEST_F(WindowDragTest, WindowFollowsThePointerFromTheLastPlainMove) {
    Follow(Move(5, 5));
    Follow(Move(10, 20));
    Follow(Move(20, 20, true));
    EXPECT_EQ(window.rect, At(110, 200));
    // The pointer is reported within the moved window: the grab point is under it again.
    Follow(Move(10, 19, true));
    EXPECT_EQ(window.rect, At(110, 199));
}

TEST_F(WindowDragTest, OtherButtonsNeitherDragNorMoveTheGrabPoint) {
    Follow(Move(5, 5));
    for (const PointerMove move : {Move(60, 60, false, true), Move(60, 60, false, false, true),
                                   Move(60, 60, true, true), Move(60, 60, true, false, true)}) {
        Follow(move);
    }
    EXPECT_EQ(window.rect, At(100, 200));
    Follow(Move(9, 7, true));
    EXPECT_EQ(window.rect, At(104, 202));
}

TEST_F(WindowDragTest, DragGoesPastTheScreenEdgeUnclamped) {
    Follow(Move(200, 300));
    Follow(Move(0, 0, true));
    EXPECT_EQ(window.rect, At(-100, -100));
}

TEST_F(WindowDragTest, LockedWindowStaysButTheGrabPointFollows) {
    Follow(Move(5, 5));
    Follow(Move(25, 45, true), true);
    Follow(Move(30, 55, true), true);
    EXPECT_EQ(window.rect, At(100, 200));

    // Unlocked in the middle of the drag: only the motion after unlocking moves the window.
    Follow(Move(32, 56, true));
    EXPECT_EQ(window.rect, At(102, 201));
}

}  // namespace
}  // namespace tavrino
