// Hiding and showing the pointer in balance over the platform's display counter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/ShowMouse.h"
#include "support/FakePlatform.h"

namespace tavrino {
namespace {

class ShowMouseTest : public ::testing::Test {
  protected:
    std::vector<std::string> Calls() const { return fake.Calls({"ShowCursor"}); }

    FakePlatform fake;
    ShowMouse showMouse{fake};
};

TEST_F(ShowMouseTest, SecondHideDoesNothingSoOneShowMakesThePointerVisible) {
    showMouse.SetCursorVisible(kFalse, kFalse);
    showMouse.SetCursorVisible(kFalse, kFalse);
    showMouse.SetCursorVisible(kTrue, kFalse);

    EXPECT_EQ(Calls(), (std::vector<std::string>{"ShowCursor(0)", "ShowCursor(1)"}));
    EXPECT_EQ(fake.cursorCounter, 0);
}

TEST_F(ShowMouseTest, ShowWithoutEarlierHideDoesNothing) {
    showMouse.SetCursorVisible(kTrue, kFalse);
    showMouse.SetCursorVisible(kTrue, kFalse);

    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(fake.cursorCounter, 0);
}

TEST_F(ShowMouseTest, HideShowHideShowStaysBalanced) {
    for (int i = 0; i < 2; ++i) {
        showMouse.SetCursorVisible(kFalse, kFalse);
        EXPECT_EQ(fake.cursorCounter, -1);
        showMouse.SetCursorVisible(kTrue, kFalse);
        EXPECT_EQ(fake.cursorCounter, 0);
    }
}

TEST_F(ShowMouseTest, OverrideForcesTheCallWhateverTheFlagSays) {
    showMouse.SetCursorVisible(kTrue, kTrue);
    showMouse.SetCursorVisible(kFalse, kFalse);
    showMouse.SetCursorVisible(kFalse, kTrue);

    EXPECT_EQ(Calls(),
              (std::vector<std::string>{"ShowCursor(1)", "ShowCursor(0)", "ShowCursor(0)"}));
    // Only exactly -1 overrides.
    showMouse.SetCursorVisible(kFalse, 1);
    EXPECT_EQ(Calls().size(), 3u);
}

}  // namespace
}  // namespace tavrino
