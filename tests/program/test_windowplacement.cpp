// The desktop clock's stored rectangle: defaults for absent or unreadable values, and a rectangle
// that lies off every monitor brought back onto the screen.
#include <gtest/gtest.h>

#include "program/WindowPlacement.h"
#include "support/FakePlatform.h"

namespace tavrino {
namespace {

class ReadWindowRectTest : public ::testing::Test {
  protected:
    WindowRect Read() { return ReadWindowRect(fake, "Quenmark", "Tavrino"); }

    FakePlatform fake;
};

TEST_F(ReadWindowRectTest, DefaultsWhenNothingIsStored) {
    EXPECT_EQ(Read(), (WindowRect{32, 32, 256, 256}));
    EXPECT_EQ(
        fake.Calls({"ReadSetting"}),
        (std::vector<std::string>{"ReadSetting(WinLeft,32)", "ReadSetting(WinTop,32)",
                                  "ReadSetting(WinWidth,256)", "ReadSetting(WinHeight,256)"}));
}

TEST_F(ReadWindowRectTest, StoredNumbersByTheirNumericStart) {
    fake.Store("WinLeft", "-100");
    fake.Store("WinTop", "40.5");
    fake.Store("WinWidth", "300px");
    fake.Store("WinHeight", " 200 ");

    EXPECT_EQ(Read(), (WindowRect{-100, 40.5, 300, 200}));
}

TEST_F(ReadWindowRectTest, ValuesThatAreNoNumberFallBackOneByOne) {
    fake.Store("WinLeft", "left");
    fake.Store("WinTop", "100");
    fake.Store("WinWidth", "");
    fake.Store("WinHeight", "1e30");

    EXPECT_EQ(Read(), (WindowRect{32, 100, 256, 256}));
}

TEST_F(ReadWindowRectTest, SizesBelowTheWindowsMinimumReadAsTheMinimum) {
    // A clock of no size could be neither seen, dragged nor resized, and would be stored again.
    fake.Store("WinLeft", "-20");
    fake.Store("WinTop", "0");
    fake.Store("WinWidth", "0");
    fake.Store("WinHeight", "-300");
    EXPECT_EQ(Read(), (WindowRect{-20, 0, 32, 32}));

    fake.Store("WinWidth", "31.5");
    fake.Store("WinHeight", "32");
    EXPECT_EQ(Read(), (WindowRect{-20, 0, 32, 32}));

    fake.Store("WinWidth", "33");
    fake.Store("WinHeight", "32.5");
    EXPECT_EQ(Read(), (WindowRect{-20, 0, 33, 32.5}));
}

class KeepOnScreenTest : public ::testing::Test {
  protected:
    std::vector<PixelRect> monitors{{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
    PixelRect workArea{0, 0, 1024, 738};
};

TEST_F(KeepOnScreenTest, PartlyVisibleRectanglesStayWhereTheyAre) {
    for (const WindowRect rect :
         {WindowRect{32, 32, 256, 256}, WindowRect{-200, -200, 256, 256},
          WindowRect{1900, 900, 800, 800}, WindowRect{1000, 700, 100, 100}}) {
        EXPECT_EQ(KeepOnScreen(rect, monitors, workArea), rect);
    }
}

TEST_F(KeepOnScreenTest, RectanglesOffEveryMonitorMoveIntoTheWorkAreaKeepingTheirSize) {
    EXPECT_EQ(KeepOnScreen({3000, 100, 256, 256}, monitors, workArea),
              (WindowRect{768, 100, 256, 256}));
    EXPECT_EQ(KeepOnScreen({-500, -300, 256, 256}, monitors, workArea),
              (WindowRect{0, 0, 256, 256}));
    EXPECT_EQ(KeepOnScreen({200, 5000, 300, 200}, monitors, workArea),
              (WindowRect{200, 538, 300, 200}));
    // Touching an edge is not overlapping it.
    EXPECT_EQ(KeepOnScreen({-256, 10, 256, 256}, monitors, workArea),
              (WindowRect{0, 10, 256, 256}));
    // Larger than the work area: its top left corner.
    EXPECT_EQ(KeepOnScreen({5000, 5000, 2000, 900}, monitors, workArea),
              (WindowRect{0, 0, 2000, 900}));
}

}  // namespace
}  // namespace tavrino
