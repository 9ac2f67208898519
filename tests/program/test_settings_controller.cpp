// The settings dialog's behaviour through the fake frontend: the options read from the store and
// taking effect, what the dialog shows, the user's clicks and slider moves, storing, and the
// dialog's own ways (centring, the pointer onto OK, keeping the focus, the contact line, closing
// and opening anew).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "clockface/Palette.h"
#include "program/ClockFaces.h"
#include "program/DialogTexts.h"
#include "program/SettingsController.h"
#include "support/FakeFrontend.h"

namespace tavrino {
namespace {

using Stored = std::map<std::string, std::string, std::less<>>;

// The settings dialog's logic over a fake, with the clock face drawn on the fake's surface.
struct Settings {
    explicit Settings(RunMode mode = RunMode::Desktop) {
        run.mode = mode;
        run.versionText = "1.00a - 02.02.2015";
        face.InitClock(fake.face);
    }

    FakeSettingsDialog& Dialog() { return *fake.dialog; }
    bool DigitsDrawnIn(const DotColours& pair) const {
        const auto circles = fake.face.Circles();
        return std::any_of(circles.begin(), circles.end(), [&](const CircleOp& c) {
            return c.rim == pair.rim && c.fill == pair.fill;
        });
    }

    FakeFrontend fake;
    RunState run;
    Options options;
    ClockFaces face{fake};
    SettingsController controller{fake.Seam(), run, options, face};
};

TEST(SettingsDialog, OpensWithTheDefaultsOfAFreshStoreInEffect) {
    Settings s;
    s.controller.Open();
    const FakeSettingsDialog& dialog = s.Dialog();

    EXPECT_EQ(dialog.title, " Tavrino  (Bildschirmschoner)");
    EXPECT_EQ(dialog.state.versionText, "Version 1.00a - 02.02.2015");
    EXPECT_EQ(dialog.state.amountText, "63");
    EXPECT_EQ(dialog.state.translucency, 63);
    EXPECT_TRUE(dialog.state.translucencyStrip);
    EXPECT_EQ(s.options.translucency, 63);
    const CheckState expected[] = {CheckState::Ticked, CheckState::Clear,  CheckState::Clear,
                                   CheckState::Ticked, CheckState::Ticked, CheckState::Ticked,
                                   CheckState::Clear};
    for (const CheckBox box : kCheckBoxes) {
        EXPECT_EQ(dialog.Box(box), expected[static_cast<int>(box)]);
        EXPECT_EQ(s.options[box], dialog.Box(box));
        EXPECT_TRUE(dialog.BoxEnabled(box));
    }
    EXPECT_TRUE(dialog.state.sliderEnabled);
    EXPECT_FALSE(dialog.visible);
    // The ticked taskbar box took effect; the hidden clock got no translucency.
    EXPECT_TRUE(s.fake.clock.taskbarButton);
    EXPECT_FALSE(s.fake.clock.onTop);
    EXPECT_FALSE(s.fake.clock.translucency.has_value());
}

TEST(SettingsDialog, ScreensaverUsesItsOwnKeysAndOnlyShowsTheWindowOptions) {
    Settings s(RunMode::FullScreen);
    s.fake.stored = {
        {"TaskBar", "1"}, {"OnTop", "1"}, {"Transparence", "100"}, {"Transparence.scr", "50"}};
    s.controller.Open();

    EXPECT_EQ(s.Dialog().state.translucency, 50);
    for (const CheckBox box :
         {CheckBox::TaskbarButton, CheckBox::AlwaysOnTop, CheckBox::LockPosition}) {
        EXPECT_FALSE(s.Dialog().BoxEnabled(box));
    }
    EXPECT_EQ(s.Dialog().Box(CheckBox::AlwaysOnTop), CheckState::Ticked);
    EXPECT_FALSE(s.fake.clock.taskbarButton);  // no taskbar button for the screensaver
    s.Dialog().Click(CheckBox::AlwaysOnTop);
    EXPECT_EQ(s.Dialog().Box(CheckBox::AlwaysOnTop), CheckState::Ticked);

    s.controller.Close();
    EXPECT_EQ(s.fake.stored, (Stored{{"TaskBar", "1"},
                                     {"OnTop", "1"},
                                     {"LockWindow", "0"},
                                     {"AllMonitors.scr", "1"},
                                     {"Drift.scr", "0"},
                                     {"Brightness.scr", "100"},
                                     {"BlueNumbers.scr", "1"},
                                     {"Fading.scr", "1"},
                                     {"Transparence", "100"},
                                     {"Transparence.scr", "50"}}));
}

TEST(SettingsDialog, StoredOnTopPutsBothWindowsOnTopExceptInTheConfigurationRun) {
    for (const char* onTop : {"1", "2"}) {
        Settings desk;
        desk.fake.stored["OnTop"] = onTop;
        desk.controller.Open();
        EXPECT_EQ(desk.Dialog().Box(CheckBox::AlwaysOnTop),
                  onTop[0] == '1' ? CheckState::Ticked : CheckState::Greyed);
        EXPECT_TRUE(desk.fake.clock.onTop) << onTop;
        EXPECT_TRUE(desk.Dialog().onTop) << onTop;
        desk.controller.Close();
        EXPECT_EQ(desk.fake.stored["OnTop"], "1");  // greyed is stored as ticked
    }
    Settings config(RunMode::Configuration);
    config.fake.stored["OnTop"] = "1";
    config.controller.Open();
    EXPECT_EQ(config.Dialog().Box(CheckBox::AlwaysOnTop), CheckState::Ticked);
    EXPECT_FALSE(config.fake.clock.onTop);
    EXPECT_FALSE(config.Dialog().onTop);
}

TEST(SettingsDialog, OnlyATickedBoxGivesBlueDigitsOrATaskbarButton) {
    Settings s;
    s.fake.stored = {{"BlueNumbers", "2"}, {"TaskBar", "2"}};
    s.controller.Open();
    EXPECT_EQ(s.Dialog().Box(CheckBox::BlueDigits), CheckState::Greyed);
    EXPECT_TRUE(s.DigitsDrawnIn(kGreenPair));
    EXPECT_FALSE(s.DigitsDrawnIn(kBluePair));
    EXPECT_EQ(s.Dialog().Box(CheckBox::TaskbarButton), CheckState::Greyed);
    EXPECT_FALSE(s.fake.clock.taskbarButton);

    // A click clears the greyed box; the next one ticks it and the face turns blue at once.
    s.Dialog().Click(CheckBox::BlueDigits);
    EXPECT_EQ(s.Dialog().Box(CheckBox::BlueDigits), CheckState::Clear);
    s.fake.face.ClearLog();
    s.Dialog().Click(CheckBox::BlueDigits);
    EXPECT_EQ(s.Dialog().Box(CheckBox::BlueDigits), CheckState::Ticked);
    EXPECT_TRUE(s.DigitsDrawnIn(kBluePair));
    EXPECT_EQ(s.fake.face.Count(SurfaceOpKind::Circle), 108u + 72u);
}

TEST(SettingsDialog, StoredValuesOutsideTheirRangeReadAsTheDefaultOrTheNearestAmount) {
    struct Case {
        const char* stored;
        int amount;
    };
    for (const Case& c : {Case{"63.5", 64}, Case{"62.5", 62}, Case{"12abc", 12}, Case{"300", 239},
                          Case{"-3", 0}, Case{"70000", 63}, Case{"1e999", 63}}) {
        Settings s;
        s.fake.stored["Transparence"] = c.stored;
        s.controller.Open();
        EXPECT_EQ(s.Dialog().state.translucency, c.amount) << c.stored;
        EXPECT_EQ(s.Dialog().state.amountText, std::to_string(c.amount));
    }
    Settings s;
    s.fake.stored = {
        {"TaskBar", "5"}, {"OnTop", "-1"}, {"BlueNumbers", "40000"}, {"Fading", "abc"}};
    s.controller.Open();
    EXPECT_EQ(s.Dialog().Box(CheckBox::TaskbarButton), CheckState::Ticked);
    EXPECT_EQ(s.Dialog().Box(CheckBox::AlwaysOnTop), CheckState::Clear);
    EXPECT_EQ(s.Dialog().Box(CheckBox::BlueDigits), CheckState::Ticked);
    EXPECT_EQ(s.Dialog().Box(CheckBox::Fade), CheckState::Clear);  // no number reads as 0
}

TEST(SettingsDialog, AKeyTheStoreRefusesDoesNotKeepTheOthersFromBeingStored) {
    Settings s;
    s.fake.refusedKeys = {"TaskBar", "OnTop"};
    s.controller.Open();
    s.controller.Close();

    EXPECT_EQ(
        s.fake.stored,
        (Stored{
            {"LockWindow", "0"}, {"BlueNumbers", "1"}, {"Fading", "1"}, {"Transparence", "63"}}));
}

TEST(SettingsDialog, WithoutTranslucencyItsControlsAreOffAndTheDialogIsShorter) {
    Settings s;
    s.fake.clock.translucencyAvailable = false;
    s.controller.Open();

    EXPECT_FALSE(s.Dialog().BoxEnabled(CheckBox::Fade));
    EXPECT_FALSE(s.Dialog().state.sliderEnabled);
    EXPECT_FALSE(s.Dialog().state.translucencyStrip);
    s.Dialog().MoveSlider(100);
    EXPECT_EQ(s.options.translucency, 63);
    EXPECT_EQ(s.Dialog().state.amountText, "63");
}

TEST(SettingsDialog, SliderMovesShowTheAmountAndReachAShownClockThatCanBeTranslucent) {
    Settings s;
    s.controller.Open();
    s.fake.clock.visible = true;
    FakeSettingsDialog& dialog = s.Dialog();

    dialog.MoveSlider(0);
    EXPECT_EQ(s.fake.clock.translucency, 0);
    dialog.MoveSlider(300);
    EXPECT_EQ(s.fake.clock.translucency, 239);
    EXPECT_EQ(dialog.state.amountText, "239");
    EXPECT_EQ(s.options.translucency, 239);

    s.fake.clock.visible = false;
    dialog.MoveSlider(10);
    s.fake.clock.visible = true;
    s.fake.clock.translucencyAvailable = false;
    dialog.MoveSlider(20);
    EXPECT_EQ(s.fake.clock.translucency, 239);
    EXPECT_EQ(dialog.state.amountText, "20");
    EXPECT_EQ(s.options.translucency, 20);
}

TEST(SettingsDialog, UserClicksCycleTheBoxesAndTakeEffect) {
    Settings s;
    s.controller.ShowOnTop();
    SettingsDialogEvents& events = s.Dialog().events;

    events.OnEvent(CheckBoxClicked{CheckBox::TaskbarButton});
    EXPECT_FALSE(s.fake.clock.taskbarButton);
    events.OnEvent(CheckBoxClicked{CheckBox::TaskbarButton});
    EXPECT_TRUE(s.fake.clock.taskbarButton);
    events.OnEvent(CheckBoxClicked{CheckBox::AlwaysOnTop});
    EXPECT_TRUE(s.fake.clock.onTop);
    events.OnEvent(CheckBoxClicked{CheckBox::LockPosition});
    events.OnEvent(CheckBoxClicked{CheckBox::Fade});
    EXPECT_EQ(s.Dialog().Box(CheckBox::LockPosition), CheckState::Ticked);
    EXPECT_EQ(s.Dialog().Box(CheckBox::Fade), CheckState::Clear);
    EXPECT_EQ(s.options[CheckBox::LockPosition], CheckState::Ticked);
}

// Screen 1024 x 768, dialog 369 x 273 pixels: centred at 328, 248 (halves rounded away from 0).
constexpr PixelRect kCentred{328, 248, 697, 521};

TEST(SettingsDialog, IsCentredOnItsFirstActivationAfterOpeningOrOk) {
    Settings s;
    s.controller.Open();
    s.Dialog().events.OnEvent(DialogActivated{});  // hidden: stays where it is
    EXPECT_EQ(s.Dialog().rect, (PixelRect{0, 0, 369, 273}));

    s.controller.ShowOnTop();
    EXPECT_EQ(s.Dialog().rect, kCentred);
    EXPECT_FALSE(s.fake.pointerMovedTo.has_value());
    s.Dialog().rect = {100, 100, 469, 373};
    s.Dialog().events.OnEvent(DialogActivated{});
    EXPECT_EQ(s.Dialog().rect.left, 100);

    s.Dialog().PressOk();
    s.controller.ShowOnTop();
    EXPECT_EQ(s.Dialog().rect, kCentred);
}

TEST(SettingsDialog, ScreensaverModesPutThePointerOnOk) {
    for (const RunMode mode : {RunMode::FullScreen, RunMode::Preview}) {
        Settings s(mode);
        s.controller.ShowOnTop();
        // ((328 * 15 + 1980 + 120 + 3165 / 2) / 15 + 16, (248 * 15 - 30 + 1440 + 375 / 2) / 15 +
        // 16), halves to even.
        EXPECT_EQ(s.fake.pointerMovedTo, std::make_pair(590, 370));
    }
    // At 120 by 144 pixels per inch the button's centre is no longer on a half pixel:
    // ((328 * 12 + 1980 + 120 + 3165 / 2) / 12 + 16, (248 * 10 - 30 + 1440 + 375 / 2) / 10 + 16).
    Settings s(RunMode::FullScreen);
    s.run.twips = {12, 10};
    s.controller.ShowOnTop();
    EXPECT_EQ(s.fake.pointerMovedTo, std::make_pair(651, 424));
}

TEST(SettingsDialog, OpenDialogTakesTheFocusBack) {
    Settings s;
    s.controller.Open();
    s.Dialog().events.OnEvent(DialogLeft{});
    EXPECT_EQ(s.fake.active, nullptr);  // hidden: nothing

    s.controller.ShowOnTop();
    s.fake.active = &s.fake.clock;  // the user clicks the clock
    s.Dialog().events.OnEvent(DialogLeft{});
    EXPECT_EQ(s.fake.active, s.fake.dialog);
}

TEST(SettingsDialog, OkStoresInOneWriteAndHidesAndHidesThePointerAgainInFullScreen) {
    for (const RunMode mode : {RunMode::FullScreen, RunMode::Desktop}) {
        Settings s(mode);
        s.controller.ShowOnTop();
        s.Dialog().events.OnEvent(CheckBoxClicked{CheckBox::BlueDigits});
        s.Dialog().events.OnEvent(CheckBoxClicked{CheckBox::Fade});
        s.Dialog().events.OnEvent(SliderMoved{100});
        s.Dialog().events.OnEvent(CheckBoxClicked{CheckBox::Drift});
        s.Dialog().events.OnEvent(BrightnessMoved{5});
        s.Dialog().PressOk();

        EXPECT_EQ(s.fake.clock.pointerVisible, mode == RunMode::Desktop);
        EXPECT_EQ(s.fake.writes, 1);
        const bool desktop = mode == RunMode::Desktop;
        const std::string suffix = desktop ? "" : ".scr";
        Stored expected{{"TaskBar", "1"},         {"OnTop", "0"},
                        {"LockWindow", "0"},      {"BlueNumbers" + suffix, "0"},
                        {"Fading" + suffix, "0"}, {"Transparence" + suffix, "100"}};
        if (!desktop) {  // the screensaver's own keys, the brightness brought into 10..100
            expected.insert(
                {{"AllMonitors.scr", "1"}, {"Drift.scr", "1"}, {"Brightness.scr", "10"}});
        }
        EXPECT_EQ(s.fake.stored, expected);
        ASSERT_NE(s.fake.dialog, nullptr);  // hidden, still open
        EXPECT_FALSE(s.Dialog().visible);
    }
}

TEST(SettingsDialog, PictureClicksToggleBetweenTheContactLineAndTheVersion) {
    Settings s;
    s.controller.Open();
    std::string& label = s.Dialog().state.versionText;

    s.Dialog().events.OnEvent(PictureClicked{});
    EXPECT_EQ(label, kContactLine);
    s.Dialog().events.OnEvent(PictureClicked{});
    EXPECT_EQ(label, "Version 1.00a - 02.02.2015");
    s.Dialog().events.OnEvent(PictureClicked{});
    EXPECT_EQ(label, kContactLine);
}

TEST(SettingsDialog, ClosingStoresAndAnotherOpeningReadsTheStoreAnew) {
    Settings s;
    s.fake.stored["OnTop"] = "1";
    s.controller.ShowOnTop();
    s.Dialog().Click(CheckBox::BlueDigits);  // ticked -> clear
    SettingsDialogEvents& events = s.Dialog().events;
    events.OnEvent(CloseRequested{});
    EXPECT_EQ(s.fake.dialog, nullptr);
    EXPECT_EQ(s.fake.stored["BlueNumbers"], "0");

    // Events of a dialog that is gone do nothing.
    s.fake.stored.clear();
    events.OnEvent(OkPressed{});
    events.OnEvent(CloseRequested{});
    EXPECT_TRUE(s.fake.stored.empty());

    // A new dialog starts clear, so the stored options take effect again.
    s.fake.stored = {{"OnTop", "1"}, {"BlueNumbers", "0"}};
    s.fake.clock.onTop = false;
    s.controller.ShowOnTop();
    EXPECT_EQ(s.fake.dialogsOpened, 2);
    EXPECT_TRUE(s.fake.clock.onTop);
    EXPECT_TRUE(s.Dialog().onTop);
    EXPECT_EQ(s.Dialog().Box(CheckBox::BlueDigits), CheckState::Clear);
    EXPECT_TRUE(s.Dialog().visible);
}

TEST(SettingsDialog, AnotherOpeningKeepsTheClocksAmountWhenTheStoreReadsZero) {
    for (const char* stored : {"0", "50"}) {
        Settings s;
        s.controller.Open();
        s.Dialog().MoveSlider(100);
        s.controller.Close();
        s.fake.stored["Transparence"] = stored;
        s.controller.Open();

        const int expected = stored[0] == '0' ? 100 : 50;
        EXPECT_EQ(s.options.translucency, expected) << stored;
        EXPECT_EQ(s.Dialog().state.translucency, expected) << stored;
    }
}

}  // namespace
}  // namespace tavrino
