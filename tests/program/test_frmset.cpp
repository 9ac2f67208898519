// The settings dialog's logic through the seam: loading the options from the store, the handlers
// that apply them, saving, and the dialog's own behaviour (centring, the pointer on OK, keeping
// the focus, the contact line, unloading and loading again).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "clockface/Palette.h"
#include "clockface/Tavrino.h"
#include "program/DialogTexts.h"
#include "program/FrmSet.h"
#include "support/FakePlatform.h"

namespace tavrino {
namespace {

class FrmSetTest : public ::testing::Test {
  protected:
    FrmSetTest() {
        frmMain.RN = "Quenmark";
        frmMain.PN = "Tavrino";
        frmMain.VER = "1.00a - 02.02.2015";
        fake.pic1.surface.SetInnerSize(256, 256);
    }

    void ScreensaverRun() {
        frmMain.SC = ".scr";
        frmMain.PStart = kTrue;
    }

    FakeSettingsForm& Dialog() { return *fake.SettingsDialog(); }

    // Whether the face's last digits were drawn in the pair's colours.
    bool DigitsDrawnIn(const DotColours& pair) {
        const auto circles = fake.pic1.surface.Circles();
        return std::any_of(circles.begin(), circles.end(), [&](const CircleOp& c) {
            return c.rim == pair.rim && c.fill == pair.fill;
        });
    }

    FakePlatform fake;
    MainMembers frmMain;
    Tavrino clockFace{fake.clock};
    WinVersion winVersion{fake};
    ShowMouse showMouse{fake};
    FrmSet frmSet{fake, frmMain, clockFace, winVersion, showMouse};
};

TEST_F(FrmSetTest, LoadWithAFreshStoreTakesTheDefaultsThroughTheHandlers) {
    frmSet.Load();

    EXPECT_EQ(fake.Calls({"ReadSetting"}),
              (std::vector<std::string>{"ReadSetting(TaskBar,1)", "ReadSetting(OnTop,0)",
                                        "ReadSetting(LockWindow,0)", "ReadSetting(BlueNumbers,1)",
                                        "ReadSetting(Fading,1)", "ReadSetting(Transparence,63)"}));
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkTask), 1);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkOTop), 0);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkLock), 0);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkBlue), 1);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkFade), 1);
    EXPECT_EQ(frmSet.HSTVal(), 63);
    EXPECT_EQ(frmMain.TValue, 63);

    // The dialog shows what the logic decided.
    EXPECT_EQ(Dialog().window.caption, " Tavrino  (Bildschirmschoner)");
    EXPECT_EQ(Dialog().labels[LabelId::lVer], "Version 1.00a - 02.02.2015");
    EXPECT_EQ(Dialog().labels[LabelId::LTVal], "63");
    EXPECT_EQ(Dialog().slider, 63);
    EXPECT_EQ(Dialog().boxes[CheckBoxId::CkTask], 1);
    EXPECT_EQ(Dialog().boxes[CheckBoxId::CkBlue], 1);
    EXPECT_EQ(Dialog().boxes[CheckBoxId::CkFade], 1);
    EXPECT_TRUE(Dialog().boxEnabled[CheckBoxId::CkTask]);
    EXPECT_TRUE(Dialog().sliderEnabled);
    EXPECT_FALSE(Dialog().window.visible);

    // Only the changed boxes ran their handlers: the taskbar one applied itself; the hidden
    // clock window got no translucency and nothing went on top.
    EXPECT_EQ(fake.Calls({"SetTaskbarVisibility", "SetAlwaysOnTop", "SetTranslucency"}),
              (std::vector<std::string>{"SetTaskbarVisibility(frmMain,-1)"}));
}

TEST_F(FrmSetTest, ScreensaverRunsUseTheirOwnKeysAndGreyOutTheWindowOptions) {
    ScreensaverRun();
    fake.Store("TaskBar", "1");
    fake.Store("OnTop", "1");
    fake.Store("Transparence", "100");
    fake.Store("Transparence.scr", "50");

    frmSet.Load();

    EXPECT_EQ(fake.Calls({"ReadSetting"}),
              (std::vector<std::string>{
                  "ReadSetting(TaskBar,1)", "ReadSetting(OnTop,0)", "ReadSetting(LockWindow,0)",
                  "ReadSetting(BlueNumbers.scr,1)", "ReadSetting(Fading.scr,1)",
                  "ReadSetting(Transparence.scr,31)"}));
    EXPECT_EQ(frmSet.HSTVal(), 50);
    for (const CheckBoxId box : {CheckBoxId::CkTask, CheckBoxId::CkOTop, CheckBoxId::CkLock}) {
        EXPECT_FALSE(frmSet.Enabled(box));
        EXPECT_FALSE(Dialog().boxEnabled[box]);
    }
    // Disabled boxes keep their stored values; the taskbar is left alone in "/S".
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkTask), 1);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkOTop), 1);
    EXPECT_TRUE(fake.Calls({"SetTaskbarVisibility"}).empty());
    // A user click on a greyed-out box changes nothing.
    frmSet.OnCheckBoxClick(CheckBoxId::CkOTop);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkOTop), 1);

    fake.log.clear();
    frmSet.SaveSet();
    EXPECT_EQ(fake.Calls({"WriteSetting"}),
              (std::vector<std::string>{
                  "WriteSetting(TaskBar,1)", "WriteSetting(OnTop,1)", "WriteSetting(LockWindow,0)",
                  "WriteSetting(BlueNumbers.scr,1)", "WriteSetting(Fading.scr,1)",
                  "WriteSetting(Transparence.scr,50)"}));
}

TEST_F(FrmSetTest, StoredOnTopPutsBothWindowsOnTopExceptInConfigurationMode) {
    fake.Store("OnTop", "1");
    frmSet.Load();
    EXPECT_EQ(
        fake.Calls({"SetAlwaysOnTop"}),
        (std::vector<std::string>{"SetAlwaysOnTop(frmMain,-1)", "SetAlwaysOnTop(frmSet,-1)"}));

    frmSet.Unload();
    fake.log.clear();
    frmMain.PConfig = kTrue;
    frmMain.SC = ".scr";
    frmSet.Load();
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkOTop), 1);
    EXPECT_TRUE(fake.Calls({"SetAlwaysOnTop"}).empty());
}

TEST_F(FrmSetTest, GreyedOnTopCountsAsTickedAndIsSavedAsTicked) {
    fake.Store("OnTop", "2");
    frmSet.Load();

    EXPECT_EQ(Dialog().boxes[CheckBoxId::CkOTop], 2);
    EXPECT_TRUE(fake.Saw("SetAlwaysOnTop(frmMain,-1)"));
    frmSet.SaveSet();
    EXPECT_EQ(fake.Stored("OnTop"), "1");
}

TEST_F(FrmSetTest, OnlyExactlyOneSelectsBlueDigits) {
    clockFace.InitClock(fake.pic1.surface);
    fake.Store("BlueNumbers", "2");
    frmSet.Load();

    EXPECT_EQ(frmSet.Value(CheckBoxId::CkBlue), 2);
    EXPECT_TRUE(DigitsDrawnIn(kGreenPair));
    EXPECT_FALSE(DigitsDrawnIn(kBluePair));
    frmSet.SaveSet();
    EXPECT_EQ(fake.Stored("BlueNumbers"), "1");

    // A click clears the greyed box; the next one ticks it and the face turns blue at once.
    frmSet.OnCheckBoxClick(CheckBoxId::CkBlue);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkBlue), 0);
    fake.pic1.surface.ClearLog();
    frmSet.OnCheckBoxClick(CheckBoxId::CkBlue);
    EXPECT_EQ(Dialog().boxes[CheckBoxId::CkBlue], 1);
    EXPECT_TRUE(DigitsDrawnIn(kBluePair));
    // A full repaint: digits and ring.
    EXPECT_EQ(fake.pic1.surface.Count(SurfaceOpKind::Circle), 108u + 72u);
}

TEST_F(FrmSetTest, StoredAmountsRoundHalfToEvenAndStayInTheSliderRange) {
    struct Case {
        const char* stored;
        std::int16_t amount;
    };
    const Case cases[] = {{"63.5", 64}, {"62.5", 62}, {"12abc", 12}, {"letters", 0},
                          {"300", 239}, {"-3", 0},    {"70000", 63}, {"1e999", 63}};
    for (const Case& c : cases) {
        FakePlatform store;
        store.Store("Transparence", c.stored);
        MainMembers members = frmMain;
        FrmSet dialog{store, members, clockFace, winVersion, showMouse};
        dialog.Load();
        EXPECT_EQ(dialog.HSTVal(), c.amount) << c.stored;
        EXPECT_EQ(members.TValue, c.amount) << c.stored;
        EXPECT_EQ(store.SettingsDialog()->labels[LabelId::LTVal], std::to_string(c.amount));
    }
}

TEST_F(FrmSetTest, StoredCheckBoxStatesOutsideTheRangeReadAsTheDefault) {
    fake.Store("TaskBar", "5");
    fake.Store("OnTop", "-1");
    fake.Store("BlueNumbers", "40000");
    fake.Store("Fading", "abc");

    frmSet.Load();

    EXPECT_EQ(frmSet.Value(CheckBoxId::CkTask), 1);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkOTop), 0);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkBlue), 1);
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkFade), 0);  // no number reads as 0, a valid state
}

TEST_F(FrmSetTest, SaveSetWritesAllSixKeysEvenWhenTheStoreRefuses) {
    frmSet.Load();
    fake.writesFail = true;
    fake.log.clear();

    frmSet.SaveSet();

    EXPECT_EQ(
        fake.Calls({"WriteSetting"}),
        (std::vector<std::string>{"WriteSetting(TaskBar,1)", "WriteSetting(OnTop,0)",
                                  "WriteSetting(LockWindow,0)", "WriteSetting(BlueNumbers,1)",
                                  "WriteSetting(Fading,1)", "WriteSetting(Transparence,63)"}));
    EXPECT_EQ(fake.StoredCount(), 0u);
}

TEST_F(FrmSetTest, WithoutNtTheTranslucencyControlsAreOffAndTheDialogIsShorter) {
    fake.osVersion = {4, 10, 1};
    const float fullHeight = FakeSettingsForm(fake, 1, frmSet).window.height;

    frmSet.Load();

    EXPECT_FALSE(frmSet.Enabled(CheckBoxId::CkFade));
    EXPECT_FALSE(frmSet.HSTValEnabled());
    EXPECT_FALSE(Dialog().boxEnabled[CheckBoxId::CkFade]);
    EXPECT_FALSE(Dialog().sliderEnabled);
    EXPECT_EQ(Dialog().window.height, fullHeight - 58 * 15);
    // The disabled slider ignores moves.
    frmSet.OnSliderChange(100);
    EXPECT_EQ(frmSet.HSTVal(), 63);
}

class SliderTest : public FrmSetTest {
  protected:
    SliderTest() {
        frmSet.Load();
        fake.mainForm.window.visible = true;
        fake.log.clear();
    }
};

TEST_F(SliderTest, EveryMoveUpdatesTheNumberTValueAndTheVisibleClock) {
    frmSet.OnSliderScroll(0);
    EXPECT_EQ(fake.mainForm.window.alpha, 255);
    frmSet.OnSliderScroll(239);
    EXPECT_EQ(fake.mainForm.window.alpha, 16);
    frmSet.OnSliderChange(239);  // the change after the drag: nothing new

    EXPECT_EQ(fake.TranslucencyAmounts(), (std::vector<int>{0, 239}));
    EXPECT_EQ(frmSet.LTVal(), "239");
    EXPECT_EQ(Dialog().labels[LabelId::LTVal], "239");
    EXPECT_EQ(frmMain.TValue, 239);
}

TEST_F(SliderTest, TranslucencyOnlyWhenTheClockIsVisibleOnNtWithLayeredWindows) {
    fake.mainForm.window.visible = false;
    frmSet.OnSliderChange(10);
    fake.mainForm.window.visible = true;
    fake.osVersion = {4, 0, 2};  // NT 4.0: no layered windows
    frmSet.OnSliderChange(20);

    EXPECT_TRUE(fake.TranslucencyAmounts().empty());
    EXPECT_EQ(frmSet.LTVal(), "20");
    EXPECT_EQ(frmMain.TValue, 20);
}

TEST_F(FrmSetTest, UserClicksCycleTheBoxesAndRunTheirHandlers) {
    frmSet.Load();
    fake.log.clear();

    frmSet.OnCheckBoxClick(CheckBoxId::CkTask);  // 1 -> 0
    frmSet.OnCheckBoxClick(CheckBoxId::CkTask);  // 0 -> 1
    frmSet.OnCheckBoxClick(CheckBoxId::CkOTop);  // 0 -> 1
    frmSet.OnCheckBoxClick(CheckBoxId::CkLock);  // stored only
    frmSet.OnCheckBoxClick(CheckBoxId::CkFade);

    EXPECT_EQ(fake.Calls({"SetTaskbarVisibility", "SetAlwaysOnTop", "frmSet.ShowCheckBox"}),
              (std::vector<std::string>{
                  "frmSet.ShowCheckBox(CkTask,0)", "SetTaskbarVisibility(frmMain,0)",
                  "frmSet.ShowCheckBox(CkTask,1)", "SetTaskbarVisibility(frmMain,-1)",
                  "frmSet.ShowCheckBox(CkOTop,1)", "SetAlwaysOnTop(frmMain,-1)",
                  "SetAlwaysOnTop(frmSet,-1)", "frmSet.ShowCheckBox(CkLock,1)",
                  "frmSet.ShowCheckBox(CkFade,0)"}));
}

TEST_F(FrmSetTest, ValuesSetFromCodeRunTheHandlerOnlyWhenTheyChange) {
    frmSet.Load();
    fake.log.clear();

    frmSet.SetValue(CheckBoxId::CkTask, 1);
    frmSet.SetHSTVal(63);
    EXPECT_TRUE(fake.log.empty());

    frmSet.SetValue(CheckBoxId::CkTask, 2);
    frmSet.SetHSTVal(500);
    EXPECT_EQ(fake.log,
              (std::vector<std::string>{"frmSet.ShowCheckBox(CkTask,2)",
                                        "SetTaskbarVisibility(frmMain,0)", "frmSet.ShowSlider(239)",
                                        "frmSet.ShowLabel(LTVal,239)", "GetVersionEx"}));
}

class ActivationTest : public FrmSetTest {
  protected:
    // Screen 1024 x 768 pixels; dialog 5535 x 4095 twips.
    static constexpr float kCentredLeft = 15360.0f / 2 - 5535.0f / 2;
    static constexpr float kCentredTop = 11520.0f / 2 - 4095.0f / 2;
};

TEST_F(ActivationTest, DesktopDialogIsCentredOnItsFirstActivationOnly) {
    frmSet.Load();
    frmSet.Show();  // the window system activates it

    EXPECT_EQ(Dialog().window.left, kCentredLeft);
    EXPECT_EQ(Dialog().window.top, kCentredTop);
    EXPECT_FALSE(fake.cursorPos.has_value());

    Dialog().window.left = 100;
    frmSet.OnActivate();
    EXPECT_EQ(Dialog().window.left, 100);

    // OK closes it; the next opening centres it again.
    frmSet.OnOkClick();
    frmSet.Show();
    EXPECT_EQ(Dialog().window.left, kCentredLeft);
}

TEST_F(ActivationTest, HiddenDialogIsNotCentred) {
    frmSet.Load();
    frmSet.OnActivate();
    EXPECT_TRUE(fake.Calls({"frmSet.SetLeft", "frmSet.SetTop"}).empty());
}

TEST_F(ActivationTest, ScreensaverModesPutThePointerOnOk) {
    for (const bool preview : {false, true}) {
        FakePlatform screen;
        MainMembers members;
        members.SC = ".scr";
        (preview ? members.PPreview : members.PStart) = kTrue;
        FrmSet dialog{screen, members, clockFace, winVersion, showMouse};
        dialog.Show();

        // ((left + 1980 + 120 + 3165 / 2) / 15 + 16, (top - 30 + 1440 + 375 / 2) / 15 + 16)
        ASSERT_TRUE(screen.cursorPos.has_value());
        EXPECT_EQ(*screen.cursorPos, std::make_pair(589, 370));
        EXPECT_LT(screen.IndexOf("frmSet.SetLeft(" + Num(kCentredLeft) + ")"),
                  screen.IndexOf("SetCursorPos(589,370)"));
    }
}

TEST_F(FrmSetTest, OpenDialogTakesTheFocusBack) {
    frmSet.Load();
    frmSet.OnDeactivate();
    frmSet.OnLostFocus();
    EXPECT_TRUE(fake.Calls({"frmSet.SetFocus"}).empty());  // hidden: nothing

    frmSet.Show();
    fake.mainForm.window.visible = true;
    fake.mainForm.SetFocus();  // the user clicks the clock
    EXPECT_EQ(fake.ActiveWindow(), "frmSet");
    frmSet.OnLostFocus();
    EXPECT_EQ(fake.Calls({"frmSet.SetFocus"}).size(), 2u);
}

TEST_F(FrmSetTest, OkSavesAndHidesAndHidesThePointerAgainInFullScreenMode) {
    ScreensaverRun();
    frmSet.Load();
    showMouse.SetCursorVisible(kFalse, kFalse);  // the screensaver hid it at start
    showMouse.SetCursorVisible(kTrue, kFalse);   // F1 showed it
    frmSet.Show();
    fake.log.clear();

    frmSet.OnOkClick();

    ASSERT_GE(fake.log.size(), 8u);
    EXPECT_EQ(fake.log.front(), "ShowCursor(0)");
    EXPECT_EQ(fake.log[1], "WriteSetting(TaskBar,1)");
    EXPECT_EQ(fake.log.back(), "frmSet.Hide");
    EXPECT_EQ(fake.cursorCounter, -1);
    EXPECT_TRUE(frmSet.Loaded());
}

TEST_F(FrmSetTest, OkOnTheDesktopLeavesThePointerAlone) {
    frmSet.Show();
    frmSet.OnOkClick();
    EXPECT_TRUE(fake.Calls({"ShowCursor"}).empty());
}

TEST_F(FrmSetTest, PictureClicksToggleBetweenContactLineAndTheExactVersionText) {
    frmSet.Load();

    frmSet.OnImageClick();
    EXPECT_EQ(Dialog().labels[LabelId::lVer], kContactLine);
    frmSet.OnImageClick();
    EXPECT_EQ(Dialog().labels[LabelId::lVer], "Version 1.00a - 02.02.2015");
    frmSet.OnImageClick();
    EXPECT_EQ(frmSet.lVer(), kContactLine);
}

TEST_F(FrmSetTest, ClosingUnloadsWithSaveAndShowingLoadsAnewFromTheStore) {
    fake.Store("OnTop", "1");
    frmSet.Show();
    frmSet.OnCheckBoxClick(CheckBoxId::CkBlue);  // 1 -> 0
    fake.log.clear();

    frmSet.OnClose();
    EXPECT_FALSE(frmSet.Loaded());
    EXPECT_EQ(fake.log.back(), "UnloadSettingsForm");
    EXPECT_EQ(fake.Stored("BlueNumbers"), "0");
    frmSet.OnOkClick();  // events of a dialog that is gone do nothing
    frmSet.OnClose();
    EXPECT_EQ(fake.log.back(), "UnloadSettingsForm");

    fake.log.clear();
    frmSet.Show();
    // A new dialog: its boxes start clear, so the stored options run their handlers again.
    EXPECT_EQ(fake.settingsFormLoads, 2);
    EXPECT_EQ(fake.Calls({"ReadSetting"}).size(), 6u);
    EXPECT_EQ(
        fake.Calls({"SetAlwaysOnTop"}),
        (std::vector<std::string>{"SetAlwaysOnTop(frmMain,-1)", "SetAlwaysOnTop(frmSet,-1)"}));
    EXPECT_EQ(frmSet.Value(CheckBoxId::CkBlue), 0);
    EXPECT_TRUE(Dialog().window.visible);
}

}  // namespace
}  // namespace tavrino
