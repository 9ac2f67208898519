// Whole runs of the program: how the desktop clock and the screensaver keep their own options on
// one store, the rectangle carried from one run to the next, and the settings dialog's life
// within a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "ProgramRun.h"
#include "clockface/Palette.h"

namespace tavrino {
namespace {

using Stored = std::map<std::string, std::string, std::less<>>;

bool DigitsIn(const FakeFrontend& fake, const DotColours& pair) {
    const auto circles = fake.face.Circles();
    return std::any_of(circles.begin(), circles.end(),
                       [&](const CircleOp& c) { return c.rim == pair.rim && c.fill == pair.fill; });
}

TEST(ProgramRuns, DesktopAndScreensaverKeepTheirOwnColourFadeAndAmount) {
    ProgramRun desktop;
    desktop.fake.stored = {
        {"BlueNumbers", "1"}, {"BlueNumbers.scr", "0"}, {"Transparence.scr", "40"}};
    desktop.Start();
    EXPECT_TRUE(DigitsIn(desktop.fake, kBluePair));
    desktop.Key(Key::Escape);

    ProgramRun screensaver("/S");
    screensaver.fake.stored = desktop.fake.stored;
    screensaver.Start();
    // The lit ring dots are green too, so what tells is that nothing is blue.
    EXPECT_FALSE(screensaver.fake.face.Circles().empty());
    EXPECT_FALSE(DigitsIn(screensaver.fake, kBluePair));
    EXPECT_EQ(screensaver.fake.clock.translucency, 41);  // the fade-in's last step
    screensaver.Key(Key::Other);

    // The screensaver stores its own keys only, and never the rectangle.
    const Stored& stored = screensaver.fake.stored;
    EXPECT_EQ(stored.at("BlueNumbers.scr"), "0");
    EXPECT_EQ(stored.at("Transparence.scr"), "40");
    for (const auto& [key, value] : stored) {
        if (!key.ends_with(".scr")) {
            EXPECT_EQ(value, desktop.fake.stored.at(key)) << key;
        }
    }
    EXPECT_EQ(stored.at("Transparence"), "63");
    EXPECT_EQ(stored.at("WinLeft"), "32");
}

TEST(ProgramRuns, RectangleCarriesOverToTheNextDesktopRun) {
    ProgramRun first;
    first.Start();
    first.program.ClockEvents().OnPointerMove(Pointer(0, 0));
    first.program.ClockEvents().OnPointerMove(Pointer(100, 50, true));
    first.fake.clock.Resize({132, 82, 532, 338});
    first.Key(Key::Escape);
    EXPECT_EQ(first.fake.stored["WinLeft"], "132");
    EXPECT_EQ(first.fake.stored["WinTop"], "82");
    EXPECT_EQ(first.fake.stored["WinWidth"], "400");

    ProgramRun second;
    second.fake.stored = first.fake.stored;
    second.Start();
    EXPECT_EQ(second.fake.clock.rect, (PixelRect{132, 82, 532, 338}));
}

TEST(ProgramRuns, FullScreenF1ShowsThePointerAndOkHidesItAgain) {
    ProgramRun run("/S");
    run.Start();
    EXPECT_FALSE(run.fake.clock.pointerVisible);

    run.Key(Key::F1);
    EXPECT_TRUE(run.fake.clock.pointerVisible);
    EXPECT_TRUE(run.Dialog().visible);
    // At the fake's 120 by 144 pixels per inch, as the settings controller's test works out.
    EXPECT_EQ(run.fake.pointerMovedTo, std::make_pair(651, 424));

    run.Dialog().PressOk();
    EXPECT_FALSE(run.fake.clock.pointerVisible);
    EXPECT_FALSE(run.Dialog().visible);
    EXPECT_FALSE(run.fake.ended);
    EXPECT_TRUE(run.fake.pendingTick.has_value());

    // Opened again: centred again, the pointer onto OK again.
    run.fake.pointerMovedTo.reset();
    run.Key(Key::F1);
    EXPECT_TRUE(run.fake.pointerMovedTo.has_value());
    run.Key(Key::Other);
    EXPECT_TRUE(run.fake.ended);
    EXPECT_TRUE(run.fake.clock.pointerVisible);
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

TEST(ProgramRuns, DesktopF1LeavesThePointerAndOkStoresTheOptions) {
    ProgramRun run;
    run.Start();
    run.Key(Key::F1);
    EXPECT_FALSE(run.fake.pointerMovedTo.has_value());

    run.Dialog().MoveSlider(100);
    EXPECT_EQ(run.fake.clock.translucency, 100);
    run.Dialog().Click(CheckBox::AlwaysOnTop);
    EXPECT_TRUE(run.fake.clock.onTop);
    run.Dialog().PressOk();
    EXPECT_EQ(run.fake.stored["Transparence"], "100");
    EXPECT_EQ(run.fake.stored["OnTop"], "1");

    // The fade-out starts from the new amount.
    run.WatchTranslucency();
    run.Key(Key::Escape);
    EXPECT_EQ(run.seen.front(), 100);
}

TEST(ProgramRuns, DialogClosedDuringTheRunIsOpenedAnewByF1AndNotStoredAtTheEnd) {
    ProgramRun run;
    run.Start();
    run.Key(Key::F1);
    run.Dialog().Click(CheckBox::BlueDigits);
    run.Dialog().CloseBox();
    EXPECT_EQ(run.fake.stored["BlueNumbers"], "0");

    // Opened again: read back from the store.
    run.Key(Key::F1);
    EXPECT_EQ(run.fake.dialogsOpened, 2);
    EXPECT_EQ(run.Dialog().Box(CheckBox::BlueDigits), CheckState::Clear);
    EXPECT_TRUE(run.Dialog().visible);

    // Closed again: the end of the run has only the rectangle to store.
    run.Dialog().CloseBox();
    run.fake.stored.clear();
    run.Key(Key::Escape);
    EXPECT_EQ(run.fake.stored.size(), 4u);
    EXPECT_TRUE(run.fake.stored.contains("WinLeft"));
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

}  // namespace
}  // namespace tavrino
