// Dragging the clock window: the grab point, which buttons drag, and the position lock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/FormMove.h"
#include "support/FakePlatform.h"

namespace tavrino {
namespace {

class FormMoveTest : public ::testing::Test {
  protected:
    FormMoveTest() {
        window.window.left = 1500;
        window.window.top = 3000;
    }

    std::vector<std::string> Moves() const { return fake.Calls({"frmMain.Set"}); }

    FakePlatform fake;
    FakeMainForm& window = fake.mainForm;
    FormMove formMove;
};

TEST_F(FormMoveTest, LeftDragBeforeAnyPlainMoveUsesTheOriginAsGrabPoint) {
    formMove.DragWindow(window, 1, 300, 450, false);

    // Vertical first, then horizontal.
    EXPECT_EQ(Moves(), (std::vector<std::string>{"frmMain.SetTop(3450)", "frmMain.SetLeft(1800)"}));
}

TEST_F(FormMoveTest, WindowFollowsThePointerFromTheLastPlainMove) {
    formMove.DragWindow(window, 0, 100, 100, false);
    formMove.DragWindow(window, 0, 200, 300, false);
    formMove.DragWindow(window, 1, 350, 300, false);  // 150 twips right, 0 down

    EXPECT_EQ(Moves(), (std::vector<std::string>{"frmMain.SetTop(3000)", "frmMain.SetLeft(1650)"}));
    EXPECT_EQ(window.Left(), 1650);
    EXPECT_EQ(window.Top(), 3000);
}

TEST_F(FormMoveTest, OtherButtonsNeitherDragNorMoveTheGrabPoint) {
    formMove.DragWindow(window, 0, 100, 100, false);
    for (const int button : {2, 4, 3, 5}) {
        formMove.DragWindow(window, button, 900, 900, false);
    }
    EXPECT_TRUE(Moves().empty());

    // The grab point is still the one of the plain move.
    formMove.DragWindow(window, 1, 160, 120, false);
    EXPECT_EQ(window.Left(), 1560);
    EXPECT_EQ(window.Top(), 3020);
}

TEST_F(FormMoveTest, DragGoesPastTheScreenEdgeUnclamped) {
    formMove.DragWindow(window, 0, 3000, 4000, false);
    formMove.DragWindow(window, 1, 0, 0, false);

    EXPECT_EQ(window.Left(), -1500);
    EXPECT_EQ(window.Top(), -1000);
}

TEST_F(FormMoveTest, LockedWindowStaysButTheGrabPointFollows) {
    formMove.DragWindow(window, 0, 100, 100, false);
    formMove.DragWindow(window, 1, 400, 700, true);
    formMove.DragWindow(window, 1, 500, 900, true);
    EXPECT_TRUE(Moves().empty());

    // Unlocked in the middle of the drag: only the motion after unlocking moves the window.
    formMove.DragWindow(window, 1, 530, 910, false);
    EXPECT_EQ(window.Left(), 1530);
    EXPECT_EQ(window.Top(), 3010);
}

}  // namespace
}  // namespace tavrino
