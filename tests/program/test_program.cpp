// Whole runs of the program on one store: what the store holds after first runs, how the desktop
// clock and the screensaver keep their own options, the rectangle carried from one run to the
// next, and the settings dialog's life within a run.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "clockface/Palette.h"
#include "program/Program.h"
#include "support/FakePlatform.h"

namespace tavrino {
namespace {

constexpr int kEsc = 27;
constexpr int kF1 = 112;
constexpr int kKeyA = 65;

using Keys = std::map<std::string, std::string>;

// One run of the program on its own fake, which may start from an earlier run's store.
class ProgramRun {
  public:
    explicit ProgramRun(const std::string& cmdLine, const FakePlatform* previous = nullptr) {
        if (previous != nullptr) {
            fake.store = previous->store;
        }
        fake.hostWindows[1234] = {0, 0, 152, 112};
        fake.commandLine = cmdLine;
    }

    void Start() { program.MainWindow().OnLoad(); }

    std::vector<std::string> Writes() const { return fake.Calls({"WriteSetting"}); }

    bool DigitsIn(const DotColours& pair) const {
        for (const CircleOp& c : fake.pic1.surface.Circles()) {
            if (c.rim == pair.rim && c.fill == pair.fill) {
                return true;
            }
        }
        return false;
    }

    FakePlatform fake;
    Program program{fake};
};

TEST(ProgramRuns, FirstDesktopRunStoresTheDefaultsAndTheRectangle) {
    ProgramRun run("");
    run.Start();

    // Fresh store: taskbar box clear, blue and fading ticked, amount 63, opened at 32, 32.
    EXPECT_EQ(run.program.SettingsDialog().Value(CheckBoxId::CkTask), 0);
    EXPECT_TRUE(run.DigitsIn(kBluePair));
    EXPECT_EQ(run.fake.mainForm.window.alpha, 192);
    run.program.MainWindow().OnKeyDown(kEsc, 0);

    EXPECT_EQ(run.fake.StoredKeys(), (Keys{{"TaskBar", "0"},
                                           {"OnTop", "0"},
                                           {"LockWindow", "0"},
                                           {"BlueNumbers", "1"},
                                           {"Fading", "1"},
                                           {"Transparence", "63"},
                                           {"WinLeft", "32"},
                                           {"WinTop", "32"},
                                           {"WinWidth", "256"},
                                           {"WinHeight", "256"}}));
    EXPECT_EQ(run.fake.StoredCount(), 10u);
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

TEST(ProgramRuns, FirstConfigurationRunWithOk) {
    ProgramRun run("/c");
    run.fake.onShowModal = [](FakeSettingsForm& dialog) { dialog.events.OnOkClick(); };
    run.Start();

    EXPECT_EQ(run.fake.StoredKeys(), (Keys{{"TaskBar", "1"},
                                           {"OnTop", "0"},
                                           {"LockWindow", "0"},
                                           {"BlueNumbers.scr", "1"},
                                           {"Fading.scr", "1"},
                                           {"Transparence.scr", "31"}}));
    EXPECT_EQ(run.fake.StoredCount(), 6u);
    EXPECT_TRUE(run.fake.ended);
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

TEST(ProgramRuns, ConfigurationDialogClosedByItsCloseBoxSavesOnce) {
    ProgramRun run("/C");
    run.fake.onShowModal = [](FakeSettingsForm& dialog) { dialog.events.OnClose(); };
    run.Start();

    EXPECT_EQ(run.Writes().size(), 6u);
    EXPECT_EQ(run.fake.Calls({"UnloadSettingsForm"}).size(), 1u);
    EXPECT_EQ(run.fake.log.back(), "EndProcess");
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

TEST(ProgramRuns, DesktopAndScreensaverKeepTheirOwnColourFadeAndAmount) {
    ProgramRun first("");
    first.fake.Store("BlueNumbers", "1");
    first.fake.Store("BlueNumbers.scr", "0");
    first.fake.Store("Transparence.scr", "40");
    first.Start();
    EXPECT_TRUE(first.DigitsIn(kBluePair));
    first.program.MainWindow().OnKeyDown(kEsc, 0);
    for (const std::string& write : first.Writes()) {
        EXPECT_EQ(write.find(".scr"), std::string::npos) << write;
    }

    ProgramRun second("/S", &first.fake);
    second.Start();
    EXPECT_EQ(second.program.MainWindow().TValue, 40);
    second.program.MainWindow().OnKeyDown(kKeyA, 0);
    for (const char* key : {"BlueNumbers,", "Fading,", "Transparence,"}) {
        for (const std::string& write : second.Writes()) {
            EXPECT_FALSE(write.starts_with("WriteSetting(" + std::string(key))) << write;
        }
    }
    EXPECT_EQ(second.fake.Stored("BlueNumbers"), "1");
    EXPECT_EQ(second.fake.Stored("BlueNumbers.scr"), "0");
    EXPECT_EQ(second.fake.Stored("Transparence"), "63");
    EXPECT_EQ(second.fake.Stored("Transparence.scr"), "40");
    // The screensaver never touches the desktop rectangle.
    EXPECT_EQ(second.fake.Stored("WinLeft"), "32");
    EXPECT_TRUE(second.fake.Calls({"WriteSetting(Win"}).empty());
}

TEST(ProgramRuns, ScreensaverShowsGreenDigitsWhenItsOwnOptionSaysSo) {
    ProgramRun run("/S");
    run.fake.Store("BlueNumbers", "1");
    run.fake.Store("BlueNumbers.scr", "0");
    run.Start();

    // The lit ring dots are green too, so what tells is that nothing is blue.
    EXPECT_FALSE(run.fake.pic1.surface.Circles().empty());
    EXPECT_FALSE(run.DigitsIn(kBluePair));
}

TEST(ProgramRuns, RectangleCarriesOverToTheNextDesktopRun) {
    ProgramRun first("");
    first.Start();
    first.program.MainWindow().OnMouseMove(0, 0, 0, 0);
    first.program.MainWindow().OnMouseMove(1, 0, 1500, 750);  // 100, 50 pixels
    first.fake.mainForm.SetWidth(6000);                       // 400 pixels
    first.program.MainWindow().OnKeyDown(kEsc, 0);
    EXPECT_EQ(first.fake.Stored("WinLeft"), "132");
    EXPECT_EQ(first.fake.Stored("WinTop"), "82");
    EXPECT_EQ(first.fake.Stored("WinWidth"), "400");

    ProgramRun second("", &first.fake);
    second.Start();
    EXPECT_EQ(second.fake.mainForm.window.left, 132 * 15);
    EXPECT_EQ(second.fake.mainForm.window.top, 82 * 15);
    EXPECT_EQ(second.fake.mainForm.window.width, 400 * 15);
}

TEST(ProgramRuns, FullScreenF1ShowsThePointerAndOkHidesItAgain) {
    ProgramRun run("/S");
    run.Start();
    EXPECT_EQ(run.fake.cursorCounter, -1);

    run.program.MainWindow().OnKeyDown(kF1, 0);
    EXPECT_EQ(run.fake.cursorCounter, 0);
    FakeSettingsForm& dialog = *run.fake.SettingsDialog();
    EXPECT_TRUE(dialog.window.visible);
    ASSERT_TRUE(run.fake.cursorPos.has_value());
    EXPECT_EQ(*run.fake.cursorPos, std::make_pair(589, 370));

    dialog.events.OnOkClick();
    EXPECT_EQ(run.fake.cursorCounter, -1);
    EXPECT_FALSE(dialog.window.visible);
    EXPECT_FALSE(run.fake.ended);
    EXPECT_TRUE(run.fake.timerEnabled);

    // Opened again: centred again and the pointer goes onto OK again.
    run.fake.cursorPos.reset();
    run.program.MainWindow().OnKeyDown(kF1, 0);
    EXPECT_TRUE(run.fake.cursorPos.has_value());
    run.program.MainWindow().OnKeyDown(kKeyA, 0);
    EXPECT_TRUE(run.fake.ended);
    EXPECT_EQ(run.fake.cursorCounter, 0);
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

TEST(ProgramRuns, DesktopF1LeavesThePointerAndOkStoresTheOptions) {
    ProgramRun run("");
    run.Start();
    run.program.MainWindow().OnKeyDown(kF1, 0);
    FakeSettingsForm& dialog = *run.fake.SettingsDialog();
    EXPECT_FALSE(run.fake.cursorPos.has_value());

    dialog.events.OnSliderScroll(100);
    EXPECT_EQ(run.fake.mainForm.window.alpha, 155);
    dialog.events.OnCheckBoxClick(CheckBoxId::CkOTop);
    EXPECT_TRUE(run.fake.mainForm.window.topmost);
    dialog.events.OnOkClick();
    EXPECT_EQ(run.fake.Stored("Transparence"), "100");
    EXPECT_EQ(run.fake.Stored("OnTop"), "1");

    // The fade-out starts from the new amount.
    const std::size_t mark = run.fake.log.size();
    run.program.MainWindow().OnKeyDown(kEsc, 0);
    EXPECT_EQ(run.fake.log[mark], "SetTranslucency(frmMain,100)");
}

TEST(ProgramRuns, DialogClosedDuringTheRunIsLoadedAnewByF1AndSavedOnceAtTheEnd) {
    ProgramRun run("");
    run.Start();
    run.program.MainWindow().OnKeyDown(kF1, 0);
    run.fake.SettingsDialog()->events.OnCheckBoxClick(CheckBoxId::CkBlue);
    run.fake.SettingsDialog()->events.OnClose();
    EXPECT_EQ(run.fake.Stored("BlueNumbers"), "0");

    // Closed: the end of the run has no dialog to save.
    ProgramRun other("", &run.fake);
    other.Start();
    other.program.MainWindow().OnKeyDown(kF1, 0);
    other.fake.SettingsDialog()->events.OnClose();
    const std::size_t mark = other.fake.log.size();
    other.program.MainWindow().OnKeyDown(kEsc, 0);
    std::vector<std::string> writes;
    for (std::size_t i = mark; i < other.fake.log.size(); ++i) {
        if (other.fake.log[i].starts_with("WriteSetting")) {
            writes.push_back(other.fake.log[i]);
        }
    }
    EXPECT_EQ(writes.size(), 4u);  // the rectangle only
    EXPECT_EQ(other.fake.callsAfterEnd, 0);

    // Reopened: read back from the store, with the digits green as stored.
    run.fake.pic1.surface.ClearLog();
    run.program.MainWindow().OnKeyDown(kF1, 0);
    EXPECT_EQ(run.fake.settingsFormLoads, 2);
    EXPECT_EQ(run.program.SettingsDialog().Value(CheckBoxId::CkBlue), 0);
    EXPECT_TRUE(run.fake.SettingsDialog()->window.visible);
}

}  // namespace
}  // namespace tavrino
