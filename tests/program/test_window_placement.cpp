// The desktop clock's stored rectangle: defaults for absent or unreadable values, and a rectangle
// that lies off every monitor brought back onto the screen.
#include <gtest/gtest.h>

#include "program/WindowPlacement.h"
#include "support/FakeFrontend.h"

namespace tavrino {
namespace {

class ReadWindowRectTest : public ::testing::Test {
  protected:
    WindowRect Read() { return ReadWindowRect(fake); }

    FakeFrontend fake;
};

TEST_F(ReadWindowRectTest, DefaultsWhenNothingIsStored) {
    EXPECT_EQ(Read(), (WindowRect{32, 32, 256, 256}));
}

TEST_F(ReadWindowRectTest, StoredNumbersByTheirNumericStart) {
    fake.stored["WinLeft"] = "-100";
    fake.stored["WinTop"] = "40.5";
    fake.stored["WinWidth"] = "300px";
    fake.stored["WinHeight"] = " 200 ";

    EXPECT_EQ(Read(), (WindowRect{-100, 40.5, 300, 200}));
}

TEST_F(ReadWindowRectTest, ValuesThatAreNoNumberFallBackOneByOne) {
    fake.stored["WinLeft"] = "left";
    fake.stored["WinTop"] = "100";
    fake.stored["WinWidth"] = "";
    fake.stored["WinHeight"] = "1e30";

    EXPECT_EQ(Read(), (WindowRect{32, 100, 256, 256}));
}

TEST_F(ReadWindowRectTest, SizesBelowTheWindowsMinimumReadAsTheMinimum) {
    // A clock of no size could be neither seen, dragged nor resized, and would be stored again.
    fake.stored = {{"WinLeft", "-20"}, {"WinTop", "0"}, {"WinWidth", "0"}, {"WinHeight", "-300"}};
    EXPECT_EQ(Read(), (WindowRect{-20, 0, 32, 32}));

    fake.stored["WinWidth"] = "31.5";
    fake.stored["WinHeight"] = "32";
    EXPECT_EQ(Read(), (WindowRect{-20, 0, 32, 32}));

    fake.stored["WinWidth"] = "33";
    fake.stored["WinHeight"] = "32.5";
    EXPECT_EQ(Read(), (WindowRect{-20, 0, 33, 32.5}));
}

TEST_F(ReadWindowRectTest, SizesAboveTheLargestWindowReadAsTheLargest) {
    fake.stored = {{"WinWidth", "2147483647"}, {"WinHeight", "32768"}};
    const WindowRect rect = Read();
    EXPECT_EQ(rect, (WindowRect{32, 32, 32767, 32767}));
    // Placed at a high resolution the window still has the size it read.
    EXPECT_EQ(PlacedRect(rect, TwipsPerPixel::Of({144, 144})), (PixelRect{32, 32, 32799, 32799}));
}

class KeepOnScreenTest : public ::testing::Test {
  protected:
    std::vector<PixelRect> monitors{{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
    PixelRect workArea{0, 0, 1024, 738};
};

TEST_F(KeepOnScreenTest, PartlyVisibleRectanglesStayWhereTheyAre) {
    for (const WindowRect rect :
         {WindowRect{32, 32, 256, 256}, WindowRect{-200, -200, 256, 256},
          WindowRect{1900, 900, 800, 800}, WindowRect{1000, 700, 100, 100},
          // One pixel over the left, top and right edge, and the bottom edge of each monitor.
          WindowRect{-255, 10, 256, 256}, WindowRect{10, -255, 256, 256},
          WindowRect{2303, 10, 256, 256}, WindowRect{10, 767, 256, 256},
          WindowRect{1500, 1023, 256, 256}}) {
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
    // Touching an edge is not overlapping it: left, top, right and bottom.
    EXPECT_EQ(KeepOnScreen({-256, 10, 256, 256}, monitors, workArea),
              (WindowRect{0, 10, 256, 256}));
    EXPECT_EQ(KeepOnScreen({10, -256, 256, 256}, monitors, workArea),
              (WindowRect{10, 0, 256, 256}));
    EXPECT_EQ(KeepOnScreen({2304, 10, 256, 256}, monitors, workArea),
              (WindowRect{768, 10, 256, 256}));
    EXPECT_EQ(KeepOnScreen({10, 768, 256, 256}, monitors, workArea),
              (WindowRect{10, 482, 256, 256}));
    // Larger than the work area: its top left corner.
    EXPECT_EQ(KeepOnScreen({5000, 5000, 2000, 900}, monitors, workArea),
              (WindowRect{0, 0, 2000, 900}));
}

}  // namespace
}  // namespace tavrino
