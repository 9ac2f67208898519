// The clock window frmMain through the seam: the run modes of its load event, the fades and what
// stops them, the keys, clicks and pointer moves per mode, resizing, the tick, and the unload
// event's order. Every test also checks that nothing reached the platform after the process
// ended and that no translucency amount left 0..255.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "program/Program.h"
#include "support/FakePlatform.h"

namespace tavrino {
namespace {

constexpr int kEsc = 27;
constexpr int kF1 = 112;
constexpr int kF4 = 115;
constexpr int kKeyA = 65;
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
constexpr WindowHandle kHost = 1234;

// Amounts from..to in steps, both ends included when reached.
std::vector<int> Steps(int from, int to, int step) {
    std::vector<int> amounts;
    for (int a = from; step > 0 ? a <= to : a >= to; a += step) {
        amounts.push_back(a);
    }
    return amounts;
}

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A run of its own, for tests that go through several command lines.
struct OtherRun {
    explicit OtherRun(const std::string& cmdLine,
                      const std::function<void(FakePlatform&)>& prepare = nullptr) {
        fake.hostWindows[kHost] = {0, 0, 152, 112};
        fake.commandLine = cmdLine;
        if (prepare) {
            prepare(fake);
        }
        frmMain.OnLoad();
    }

    FakePlatform fake;
    Program program{fake};
    FrmMain& frmMain = program.MainWindow();
};

class FrmMainTest : public ::testing::Test {
  protected:
    FrmMainTest() { fake.hostWindows[kHost] = {0, 0, 152, 112}; }

    void TearDown() override {
        EXPECT_EQ(fake.callsAfterEnd, 0) << "calls after the process ended";
        EXPECT_EQ(fake.translucencyOutOfRange, 0);
    }

    void Start(const std::string& cmdLine) {
        fake.commandLine = cmdLine;
        frmMain.OnLoad();
    }

    // The log from a mark on, and the translucency amounts in it.
    std::size_t Mark() const { return fake.log.size(); }
    std::vector<std::string> Since(std::size_t mark) const {
        return {fake.log.begin() + static_cast<std::ptrdiff_t>(mark), fake.log.end()};
    }
    std::vector<int> AmountsSince(std::size_t mark) const {
        std::vector<int> amounts;
        for (const std::string& entry : Since(mark)) {
            if (entry.starts_with("SetTranslucency(frmMain,")) {
                amounts.push_back(std::stoi(entry.substr(entry.find(',') + 1)));
            }
        }
        return amounts;
    }
    bool Shown() const { return fake.Saw("frmMain.Show"); }

    FakePlatform fake;
    Program program{fake};
    FrmMain& frmMain = program.MainWindow();
};

// --- Run modes --------------------------------------------------------------------------------

TEST_F(FrmMainTest, DesktopClockWithAFreshStore) {
    Start("");

    EXPECT_EQ(frmMain.RN, "Quenmark");
    EXPECT_EQ(frmMain.PN, "Tavrino");
    EXPECT_EQ(frmMain.VER, "1.00a - 02.02.2015");
    EXPECT_EQ(frmMain.SC, "");
    EXPECT_EQ(frmMain.PStart, 0);
    EXPECT_EQ(frmMain.PConfig, 0);
    EXPECT_EQ(frmMain.PPreview, 0);
    EXPECT_EQ(frmMain.TWX, 15);
    EXPECT_EQ(frmMain.TValue, 63);
    EXPECT_EQ(frmMain.TFaderX, 1);

    // Built hidden, black and off screen, without a title bar, before anything else.
    const std::vector<std::string> start(fake.log.begin() + 1, fake.log.begin() + 6);
    EXPECT_EQ(start,
              (std::vector<std::string>{"frmMain.Hide", "frmMain.SetBackColour(0)",
                                        "frmMain.Move(-983040,-983040,4800,4800)",
                                        "frmMain.SetCaption(Tavrino)", "HideTitleBar(frmMain)"}));

    const FakeWindowState& window = fake.mainForm.window;
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(window.borderNone);
    EXPECT_FALSE(window.titleBar);
    EXPECT_EQ(window.caption, "Tavrino");
    EXPECT_EQ(window.left, 480);
    EXPECT_EQ(window.top, 480);
    EXPECT_EQ(window.width, 3840);
    EXPECT_EQ(window.height, 3840);
    EXPECT_FALSE(window.topmost);
    EXPECT_FALSE(window.appWindow);
    EXPECT_EQ(window.alpha, 192);
    EXPECT_TRUE(fake.timerEnabled);
    EXPECT_FALSE(fake.SettingsDialog()->window.visible);
    EXPECT_EQ(fake.cursorCounter, 0);
    EXPECT_FALSE(fake.ended);
}

TEST_F(FrmMainTest, FullScreenScreensaverInAnyCase) {
    for (const char* cmdLine : {"/S", "/s", "x/sy"}) {
        OtherRun run(cmdLine);
        FakePlatform& screen = run.fake;
        SCOPED_TRACE(cmdLine);

        EXPECT_EQ(run.frmMain.PStart, kTrue);
        EXPECT_EQ(run.frmMain.PPreview, kFalse);
        EXPECT_EQ(run.frmMain.SC, ".scr");
        const FakeWindowState& window = screen.mainForm.window;
        EXPECT_TRUE(window.borderNone);
        EXPECT_EQ(window.caption, "");
        EXPECT_EQ(window.left, 0);
        EXPECT_EQ(window.width, 15360);
        EXPECT_EQ(window.height, 11520);
        EXPECT_TRUE(window.topmost);
        EXPECT_EQ(screen.cursorCounter, -1);
        const std::size_t off = screen.IndexOf("SetAlwaysOnTop(frmMain,0)");
        EXPECT_EQ(screen.log[off + 1], "SetAlwaysOnTop(frmMain,-1)");
        EXPECT_EQ(screen.log[off + 2], "frmMain.SetFocus");
        EXPECT_LT(screen.IndexOf("frmSet.Hide"), off);
        EXPECT_EQ(screen.callsAfterEnd, 0);
    }
}

TEST_F(FrmMainTest, PreviewFillsTheHostAndIsNeitherTranslucentNorTopmost) {
    fake.Store("Fading.scr", "1");
    Start("/p 1234");

    EXPECT_EQ(frmMain.PPreview, kTrue);
    EXPECT_EQ(frmMain.PStart, kFalse);
    EXPECT_EQ(frmMain.SC, ".scr");
    EXPECT_TRUE(fake.Saw("AttachToParent(frmMain,1234,-1)"));
    EXPECT_EQ(fake.mainForm.window.parent, kHost);
    EXPECT_EQ(fake.pic1.width, 152 * 15);
    EXPECT_EQ(fake.pic1.height, 112 * 15);
    EXPECT_TRUE(fake.TranslucencyAmounts().empty());
    EXPECT_FALSE(fake.mainForm.window.layered);
    EXPECT_FALSE(fake.mainForm.window.topmost);
    EXPECT_TRUE(fake.Calls({"SetAlwaysOnTop(frmMain"}).empty());
    EXPECT_TRUE(fake.Calls({"ShowCursor"}).empty());
    EXPECT_TRUE(Shown());
}

TEST_F(FrmMainTest, ConfigurationModeShowsOnlyTheDialogAndEndsWhenItCloses) {
    for (const char* cmdLine : {"/c", "/S /C", "/P 1234 /c", "/c:4242"}) {
        OtherRun run(cmdLine, [](FakePlatform& f) {
            f.onShowModal = [](FakeSettingsForm& dialog) { dialog.events.OnOkClick(); };
        });
        FakePlatform& config = run.fake;
        SCOPED_TRACE(cmdLine);

        EXPECT_EQ(run.frmMain.PConfig, kTrue);
        EXPECT_EQ(run.frmMain.PStart, kFalse);
        EXPECT_EQ(run.frmMain.SC, ".scr");
        EXPECT_FALSE(config.Saw("frmMain.Show"));
        EXPECT_FALSE(config.mainForm.window.visible);
        // Topmost once on screen; nothing else puts a window on top.
        EXPECT_EQ(config.Calls({"SetAlwaysOnTop"}),
                  (std::vector<std::string>{"SetAlwaysOnTop(frmSet,-1)"}));
        EXPECT_LT(config.IndexOf("frmSet.ShowModal"), config.IndexOf("SetAlwaysOnTop(frmSet,-1)"));
        // Unloaded when the dialog closed: no fade, no rectangle, the dialog saved, the end.
        EXPECT_TRUE(config.TranslucencyAmounts().empty());
        EXPECT_TRUE(config.Calls({"WriteSetting(Win"}).empty());
        EXPECT_EQ(config.log.back(), "EndProcess");
        EXPECT_EQ(config.log[config.log.size() - 2], "UnloadSettingsForm");
        EXPECT_EQ(config.callsAfterEnd, 0);
    }
}

TEST_F(FrmMainTest, PreviewWithoutAUsableHandleEndsAtOnceWithoutAWindow) {
    for (const char* cmdLine : {"/P", "/P:1234", "/P 0", "/S /P 1234", "/P 999"}) {
        OtherRun run(cmdLine);
        FakePlatform& preview = run.fake;
        SCOPED_TRACE(cmdLine);

        EXPECT_TRUE(preview.ended);
        EXPECT_EQ(preview.log.back(), "EndProcess");
        EXPECT_FALSE(preview.Saw("frmMain.Show"));
        EXPECT_FALSE(preview.mainForm.window.visible);
        EXPECT_TRUE(preview
                        .Calls({"AttachToParent", "SetTimerEnabled", "UnloadSettingsForm",
                                "WriteSetting", "ShowCursor(1)"})
                        .empty());
        EXPECT_EQ(preview.callsAfterEnd, 0);
    }
}

// --- Translucency and fades -------------------------------------------------------------------

TEST_F(FrmMainTest, AmountZeroMeansNoTranslucencyAndNoFades) {
    fake.Store("Transparence", "0");
    fake.Store("Fading", "1");
    Start("");
    frmMain.KeyS(kEsc, 0);

    EXPECT_TRUE(fake.TranslucencyAmounts().empty());
    EXPECT_FALSE(fake.mainForm.window.layered);
    EXPECT_EQ(frmMain.TFaderX, 0);
    EXPECT_TRUE(fake.ended);
}

TEST_F(FrmMainTest, WithoutLayeredWindowsThereAreNoFades) {
    fake.osVersion = {4, 10, 1};  // Windows 98
    Start("");
    frmMain.KeyS(kEsc, 0);

    EXPECT_TRUE(fake.TranslucencyAmounts().empty());
    EXPECT_EQ(frmMain.TFaderX, 0);
}

TEST_F(FrmMainTest, FadingOffAppliesTheAmountOnce) {
    fake.Store("Fading", "0");
    fake.Store("Transparence", "100");
    Start("");
    frmMain.KeyS(kEsc, 0);

    EXPECT_EQ(fake.TranslucencyAmounts(), std::vector<int>{100});
    EXPECT_EQ(fake.doEventsCount, 1);
}

TEST_F(FrmMainTest, GreyedFadingAppliesTheAmountWithoutFades) {
    fake.Store("Fading", "2");
    fake.Store("Transparence", "100");
    Start("");
    EXPECT_EQ(fake.TranslucencyAmounts(), std::vector<int>{100});
    EXPECT_EQ(frmMain.TFaderX, 0);

    const std::size_t mark = Mark();
    frmMain.KeyS(kEsc, 0);
    EXPECT_TRUE(AmountsSince(mark).empty());
    EXPECT_EQ(fake.Stored("Fading"), "1");
}

TEST_F(FrmMainTest, FadeInEndsOneStepShortOfAnEvenAmount) {
    fake.Store("Transparence", "100");
    Start("");

    // Invisible first, then 255, 253, ... 101, each step followed by a pass of the message loop.
    EXPECT_EQ(fake.TranslucencyAmounts(), Concat({255}, Steps(255, 101, -2)));
    EXPECT_EQ(fake.doEventsCount, 1 + 78);
    const std::size_t last = fake.IndexOf("SetTranslucency(frmMain,101)");
    EXPECT_EQ(fake.log[last + 1], "DoEvents");
    EXPECT_LT(fake.IndexOf("SetTimerEnabled(1)"), fake.IndexOf("SetTranslucency(frmMain,253)"));
}

TEST_F(FrmMainTest, FadeInEndsAtAnOddAmount) {
    Start("");
    EXPECT_EQ(fake.TranslucencyAmounts(), Concat({255}, Steps(255, 63, -2)));
}

TEST_F(FrmMainTest, FadeOutFromSixtyThreeReachesInvisible) {
    Start("");
    const std::size_t mark = Mark();
    frmMain.KeyS(kEsc, 0);

    EXPECT_EQ(AmountsSince(mark), Steps(63, 255, 8));
    EXPECT_EQ(fake.mainForm.window.alpha, 0);
}

TEST_F(FrmMainTest, FadeOutFromOneHundredStopsAt252) {
    fake.Store("Transparence", "100");
    Start("");
    const std::size_t mark = Mark();
    frmMain.KeyS(kEsc, 0);

    EXPECT_EQ(AmountsSince(mark), Steps(100, 252, 8));
}

TEST_F(FrmMainTest, KeyDuringTheFadeInAppliesTheAmountAtOnce) {
    fake.Store("Transparence", "100");
    fake.onDoEvents = [&](int n) {
        if (n == 3) {
            frmMain.OnKeyDown(kKeyA, 0);
        }
    };
    Start("");

    EXPECT_EQ(fake.TranslucencyAmounts(), (std::vector<int>{255, 255, 253, 100}));
    EXPECT_FALSE(fake.ended);

    // The fade-out goes on from where the fade-in stopped.
    fake.onDoEvents = nullptr;
    const std::size_t mark = Mark();
    frmMain.KeyS(kEsc, 0);
    EXPECT_EQ(AmountsSince(mark), std::vector<int>{251});
}

TEST_F(FrmMainTest, KeyDuringTheFadeOutMakesTheWindowOpaqueAndShutsDown) {
    Start("");
    const int before = fake.doEventsCount;
    fake.onDoEvents = [&](int n) {
        if (n == before + 3) {
            frmMain.OnKeyDown(kEsc, 0);  // asks for the unload that is already running
        }
    };
    const std::size_t mark = Mark();
    frmMain.KeyS(kEsc, 0);

    EXPECT_EQ(AmountsSince(mark), (std::vector<int>{63, 71, 79, 0}));
    EXPECT_EQ(fake.mainForm.window.alpha, 255);
    const std::vector<std::string> after = Since(fake.IndexOf("SetTranslucency(frmMain,0)"));
    EXPECT_EQ(after[1], "WriteSetting(WinTop,32)");
    EXPECT_EQ(after.back(), "EndProcess");
    EXPECT_EQ(fake.Calls({"UnloadSettingsForm"}).size(), 1u);
}

TEST_F(FrmMainTest, EscDuringTheFadeInEndsWithoutFadeOutButSavesTheRectangle) {
    fake.onDoEvents = [&](int n) {
        if (n == 5) {
            frmMain.OnKeyDown(kEsc, 0);
        }
    };
    Start("");

    EXPECT_TRUE(fake.ended);
    EXPECT_EQ(fake.TranslucencyAmounts(), (std::vector<int>{255, 255, 253, 251, 249}));
    EXPECT_EQ(
        fake.Calls({"WriteSetting(Win"}),
        (std::vector<std::string>{"WriteSetting(WinTop,32)", "WriteSetting(WinLeft,32)",
                                  "WriteSetting(WinWidth,256)", "WriteSetting(WinHeight,256)"}));
    EXPECT_EQ(fake.log.back(), "EndProcess");
}

// --- Keys, clicks and pointer moves -------------------------------------------------------------

TEST_F(FrmMainTest, DesktopIgnoresOtherKeysAndModifiedEsc) {
    Start("");
    const std::size_t mark = Mark();
    for (const auto& [key, shift] : std::vector<std::pair<int, int>>{{kEsc, kShift},
                                                                     {kEsc, kCtrl},
                                                                     {kEsc, kAlt},
                                                                     {kKeyA, 0},
                                                                     {kF4, 0},
                                                                     {kF4, kCtrl},
                                                                     {kF4, kAlt | kShift},
                                                                     {kF1, kShift}}) {
        frmMain.OnKeyDown(key, shift);
    }
    EXPECT_TRUE(Since(mark).empty());

    frmMain.OnKeyDown(kF4, kAlt);
    EXPECT_TRUE(fake.ended);
}

TEST_F(FrmMainTest, PlainEscClosesEveryMode) {
    for (const char* cmdLine : {"", "/S", "/P 1234"}) {
        OtherRun run(cmdLine);
        FakePlatform& any = run.fake;
        run.frmMain.OnKeyDown(kEsc, 0);
        EXPECT_TRUE(any.ended) << cmdLine;
        EXPECT_EQ(any.cursorCounter, 0) << cmdLine;
    }
}

TEST_F(FrmMainTest, ScreensaverModesCloseOnAnyOtherKey) {
    for (const char* cmdLine : {"/S", "/P 1234"}) {
        for (const auto& [key, shift] : std::vector<std::pair<int, int>>{
                 {kKeyA, 0}, {kEsc, kShift}, {kF1, kAlt}, {kF1, kCtrl}, {kF4, 0}}) {
            OtherRun run(cmdLine);
            FakePlatform& any = run.fake;
            run.frmMain.OnKeyDown(key, shift);
            EXPECT_TRUE(any.ended) << cmdLine << " key " << key << " shift " << shift;
        }
    }
}

TEST_F(FrmMainTest, F1OpensTheDialogTopmostInEveryMode) {
    for (const char* cmdLine : {"", "/S", "/P 1234"}) {
        OtherRun run(cmdLine);
        FakePlatform& any = run.fake;
        const std::size_t mark = any.log.size();
        run.frmMain.OnKeyDown(kF1, 0);
        SCOPED_TRACE(cmdLine);

        EXPECT_FALSE(any.ended);
        EXPECT_TRUE(any.SettingsDialog()->window.visible);
        EXPECT_TRUE(any.SettingsDialog()->window.topmost);
        const std::size_t show = any.IndexOf("frmSet.Show", mark);
        EXPECT_LT(show, any.IndexOf("SetAlwaysOnTop(frmSet,-1)", mark));
        // Only the full-screen screensaver had hidden the pointer, and shows it first.
        if (std::string(cmdLine) == "/S") {
            EXPECT_LT(any.IndexOf("ShowCursor(1)", mark), show);
            EXPECT_EQ(any.cursorCounter, 0);
        } else {
            EXPECT_EQ(any.IndexOf("ShowCursor(1)", mark), any.log.size());
        }
    }
}

TEST_F(FrmMainTest, ClickEndsOnlyTheFullScreenScreensaver) {
    Start("");
    frmMain.OnClick();
    EXPECT_FALSE(fake.ended);

    OtherRun previewRun("/P 1234");
    FakePlatform& preview = previewRun.fake;
    previewRun.frmMain.OnClick();
    EXPECT_FALSE(preview.ended);

    OtherRun screenRun("/S");
    FakePlatform& screen = screenRun.fake;
    screenRun.frmMain.OnMouseMove(0, 0, 500, 500);
    screenRun.frmMain.OnMouseMove(1, 0, 900, 900);
    EXPECT_FALSE(screen.ended);
    EXPECT_TRUE(screen.Calls({"frmMain.SetTop", "frmMain.SetLeft"}).empty());
    screenRun.frmMain.OnClick();
    EXPECT_TRUE(screen.ended);
    EXPECT_EQ(screen.cursorCounter, 0);
}

TEST_F(FrmMainTest, PointerMovesDragOnlyTheDesktopClock) {
    Start("");
    frmMain.OnMouseMove(0, 0, 100, 100);
    frmMain.OnMouseMove(1, 0, 250, 100);
    EXPECT_EQ(fake.mainForm.window.left, 630);
    EXPECT_EQ(fake.mainForm.window.top, 480);

    OtherRun previewRun("/P 1234");
    FakePlatform& preview = previewRun.fake;
    previewRun.frmMain.OnMouseMove(1, 0, 250, 100);
    EXPECT_TRUE(preview.Calls({"frmMain.SetTop", "frmMain.SetLeft"}).empty());
}

TEST_F(FrmMainTest, LockedPositionKeepsTheDesktopClockInPlace) {
    fake.Store("LockWindow", "1");
    Start("");
    frmMain.OnMouseMove(0, 0, 100, 100);
    frmMain.OnMouseMove(1, 0, 250, 400);
    EXPECT_EQ(fake.mainForm.window.left, 480);
    EXPECT_EQ(fake.mainForm.window.top, 480);

    // Unlocked mid-drag: only the motion after unlocking counts.
    frmMain.OnKeyDown(kF1, 0);
    fake.SettingsDialog()->events.OnCheckBoxClick(CheckBoxId::CkLock);
    frmMain.OnMouseMove(1, 0, 280, 400);
    EXPECT_EQ(fake.mainForm.window.left, 510);
    EXPECT_EQ(fake.mainForm.window.top, 480);
}

// --- Resizing, tick and focus -------------------------------------------------------------------

TEST_F(FrmMainTest, ResizeDuringTheLoadChangesNothing) {
    std::size_t mark = 0;
    fake.onDoEvents = [&](int n) {
        if (n == 1) {
            fake.mainForm.window.width = 100;
            mark = Mark();
            frmMain.OnResize();
            EXPECT_TRUE(Since(mark).empty());
            fake.mainForm.window.width = 3840;
        }
    };
    Start("");
    EXPECT_GT(mark, 0u);
}

TEST_F(FrmMainTest, DesktopWindowSpringsBackToThirtyTwoPixels) {
    Start("");
    fake.mainForm.SetWidth(200);
    EXPECT_EQ(fake.mainForm.window.width, 480);
    fake.mainForm.SetHeight(465);
    EXPECT_EQ(fake.mainForm.window.height, 480);
    fake.mainForm.SetWidth(495);  // 33 pixels is fine
    EXPECT_EQ(fake.mainForm.window.width, 495);
}

TEST_F(FrmMainTest, PreviewKeepsTheMinimumToo) {
    Start("/P 1234");
    fake.mainForm.SetWidth(150);
    EXPECT_EQ(fake.mainForm.window.width, 480);
}

TEST_F(FrmMainTest, FullScreenHasNoMinimumButPic1StillFillsTheWindow) {
    Start("/S");
    fake.mainForm.SetWidth(200);
    EXPECT_EQ(fake.mainForm.window.width, 200);
    EXPECT_EQ(fake.pic1.width, 200);
}

TEST_F(FrmMainTest, MinimisedOrMaximisedWindowIsRestoredAtOnce) {
    Start("");
    for (const WindowState state : {WindowState::Minimised, WindowState::Maximised}) {
        fake.mainForm.SetWindowState(state);
        EXPECT_EQ(fake.mainForm.window.state, WindowState::Normal);
    }
}

TEST_F(FrmMainTest, ResizeLaysPic1OverTheClientAreaAndRepaintsTheWholeFace) {
    Start("");
    fake.pic1.surface.ClearLog();
    fake.mainForm.Move(480, 480, 6000, 4500);

    // Sizable border of 4 pixels, no title bar.
    EXPECT_EQ(fake.pic1.width, 6000 - 120);
    EXPECT_EQ(fake.pic1.height, 4500 - 120);
    EXPECT_EQ(fake.pic1.left, 0);
    EXPECT_EQ(fake.pic1.top, 0);
    const auto kinds = fake.pic1.surface.Kinds();
    ASSERT_FALSE(kinds.empty());
    EXPECT_EQ(kinds.front(), SurfaceOpKind::Clear);
    EXPECT_EQ(fake.pic1.surface.Count(SurfaceOpKind::Circle), 108u + 72u);
    EXPECT_EQ(kinds.back(), SurfaceOpKind::Refresh);
}

TEST_F(FrmMainTest, WhileF1OpensTheDialogOnlyTheMinimumSizeIsKept) {
    Start("");
    // The user closed the dialog and the store now asks for on-top; F1 loads the dialog anew,
    // whose on-top handler places the clock at whole pixels, which resizes it.
    frmMain.OnKeyDown(kF1, 0);
    fake.SettingsDialog()->events.OnClose();
    fake.Store("OnTop", "1");
    fake.mainForm.window.width = 307;
    const std::size_t mark = Mark();
    frmMain.OnKeyDown(kF1, 0);

    const std::vector<std::string> during = Since(mark);
    EXPECT_EQ(fake.IndexOf("frmMain.SetWidth(480)", mark) < fake.log.size(), true);
    for (const std::string& entry : during) {
        EXPECT_FALSE(entry.starts_with("Pic1.")) << entry;
    }
    // Afterwards resizes are handled fully again.
    fake.mainForm.SetWidth(600);
    EXPECT_EQ(fake.pic1.width, 600 - 120);
}

TEST_F(FrmMainTest, TickDrawsOnlyWhatChangedAndFocusRepaintsEverything) {
    Start("");
    fake.pic1.surface.ClearLog();

    frmMain.OnTimer();
    EXPECT_EQ(fake.pic1.surface.Count(SurfaceOpKind::Circle), 0u);
    fake.clock.time.second = 57;
    frmMain.OnTimer();
    EXPECT_EQ(fake.pic1.surface.Count(SurfaceOpKind::Circle), 72u);

    fake.pic1.surface.ClearLog();
    frmMain.OnGotFocus();
    EXPECT_EQ(fake.pic1.surface.Count(SurfaceOpKind::Circle), 108u + 72u);
}

// --- Shutdown ---------------------------------------------------------------------------------

TEST_F(FrmMainTest, DesktopUnloadOrder) {
    Start("");
    frmMain.OnMouseMove(0, 0, 0, 0);
    frmMain.OnMouseMove(1, 0, 150, 300);
    const std::size_t mark = Mark();
    frmMain.OnClose();

    std::vector<std::string> shutdown;
    for (const std::string& entry : Since(mark)) {
        if (!entry.starts_with("SetTranslucency") && entry != "DoEvents") {
            shutdown.push_back(entry);
        }
    }
    EXPECT_EQ(shutdown,
              (std::vector<std::string>{
                  "WriteSetting(WinTop,52)", "WriteSetting(WinLeft,42)",
                  "WriteSetting(WinWidth,256)", "WriteSetting(WinHeight,256)", "SetTimerEnabled(0)",
                  "WriteSetting(TaskBar,0)", "WriteSetting(OnTop,0)", "WriteSetting(LockWindow,0)",
                  "WriteSetting(BlueNumbers,1)", "WriteSetting(Fading,1)",
                  "WriteSetting(Transparence,63)", "UnloadSettingsForm", "EndProcess"}));
    // The fade-out comes first, each step followed by a pass of the message loop.
    EXPECT_EQ(Since(mark).front(), "SetTranslucency(frmMain,63)");
    EXPECT_EQ(Since(mark)[1], "DoEvents");
}

TEST_F(FrmMainTest, ScreensaverUnloadShowsThePointerInsteadOfSavingTheRectangle) {
    Start("/S");
    const std::size_t mark = Mark();
    frmMain.OnClose();

    EXPECT_EQ(fake.cursorCounter, 0);
    const std::vector<std::string> calls = fake.Calls({"ShowCursor", "SetTimerEnabled"});
    EXPECT_EQ(std::vector<std::string>(calls.end() - 2, calls.end()),
              (std::vector<std::string>{"ShowCursor(1)", "SetTimerEnabled(0)"}));
    EXPECT_LT(fake.IndexOf("ShowCursor(1)", mark), fake.IndexOf("UnloadSettingsForm", mark));
    EXPECT_TRUE(fake.Calls({"WriteSetting(Win"}).empty());
}

TEST_F(FrmMainTest, HostDestroyingThePreviewEndsThroughTheUnload) {
    Start("/P 1234");
    frmMain.OnHostGone();

    EXPECT_TRUE(fake.ended);
    EXPECT_TRUE(fake.Saw("WriteSetting(Transparence.scr,31)"));
    EXPECT_EQ(fake.log[fake.log.size() - 2], "UnloadSettingsForm");
    EXPECT_TRUE(fake.Calls({"ShowCursor", "WriteSetting(Win"}).empty());
}

TEST_F(FrmMainTest, NothingRunsAfterTheEnd) {
    Start("");
    frmMain.KeyS(kEsc, 0);
    const std::size_t mark = Mark();

    frmMain.OnTimer();
    frmMain.OnGotFocus();
    frmMain.OnResize();
    frmMain.OnKeyDown(kF1, 0);
    frmMain.OnKeyDown(kEsc, 0);
    frmMain.OnClick();
    frmMain.OnMouseMove(1, 0, 500, 500);
    frmMain.OnClose();
    frmMain.OnHostGone();
    frmMain.OnLoad();

    EXPECT_TRUE(Since(mark).empty());
}

TEST_F(FrmMainTest, StoreThatRefusesWritesStillEndsNormally) {
    fake.writesFail = true;
    Start("");
    frmMain.KeyS(kEsc, 0);

    EXPECT_TRUE(fake.ended);
    EXPECT_EQ(fake.StoredCount(), 0u);
    EXPECT_EQ(fake.Calls({"WriteSetting"}).size(), 4u + 6u);
}

// --- Stored rectangle and options -------------------------------------------------------------

TEST_F(FrmMainTest, StoredRectangleIsUsedInPixels) {
    fake.Store("WinLeft", "100");
    fake.Store("WinTop", "-20");
    fake.Store("WinWidth", "300");
    fake.Store("WinHeight", "200.5");
    Start("");

    EXPECT_TRUE(fake.Saw("frmMain.Move(1500,-300,4500,3007.5)"));
}

TEST_F(FrmMainTest, UnreadableRectangleValuesFallBackToTheDefaults) {
    fake.Store("WinLeft", "links");
    fake.Store("WinTop", "40");
    fake.Store("WinWidth", "");
    fake.Store("WinHeight", "1e40");
    Start("");

    EXPECT_TRUE(fake.Saw("frmMain.Move(480,600,3840,3840)"));
}

TEST_F(FrmMainTest, RectangleOffEveryMonitorComesBackOntoTheWorkArea) {
    fake.Store("WinLeft", "3000");
    fake.Store("WinTop", "100");
    fake.Store("WinWidth", "300");
    fake.Store("WinHeight", "300");
    Start("");

    EXPECT_TRUE(fake.Saw("frmMain.Move(10860,1500,4500,4500)"));

    // A second monitor on the right makes the same rectangle visible where it is.
    const auto store = fake.store;
    OtherRun wide("", [&](FakePlatform& f) {
        f.monitors.push_back({1024, 0, 4096, 1024});
        f.store = store;
    });
    EXPECT_TRUE(wide.fake.Saw("frmMain.Move(45000,1500,4500,4500)"));
}

TEST_F(FrmMainTest, SecondTaskBarReadDecidesTheDesktopTaskbarButton) {
    struct Case {
        const char* stored;  // null: absent
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {nullptr, {"SetTaskbarVisibility(frmMain,-1)", "SetTaskbarVisibility(frmMain,0)"}},
        {"0", {}},
        {"1", {"SetTaskbarVisibility(frmMain,-1)"}},
        {"abc", {}},
        {"0.5", {"SetTaskbarVisibility(frmMain,-1)"}},
    };
    for (const Case& c : cases) {
        OtherRun run("", [&](FakePlatform& f) {
            if (c.stored != nullptr) {
                f.Store("TaskBar", c.stored);
            }
        });
        FakePlatform& desk = run.fake;
        SCOPED_TRACE(c.stored == nullptr ? "absent" : c.stored);
        EXPECT_EQ(desk.Calls({"SetTaskbarVisibility"}), c.calls);
        EXPECT_EQ(desk.mainForm.window.appWindow, !c.calls.empty() && c.calls.size() == 1);
        EXPECT_TRUE(desk.Saw("ReadSetting(TaskBar,0)"));
    }
}

TEST_F(FrmMainTest, GreyedOnTopActsThroughItsHandlerOnly) {
    fake.Store("OnTop", "2");
    Start("");

    // The handler puts the window on top during loading; the load event itself does not.
    EXPECT_EQ(
        fake.Calls({"SetAlwaysOnTop"}),
        (std::vector<std::string>{"SetAlwaysOnTop(frmMain,-1)", "SetAlwaysOnTop(frmSet,-1)"}));
    EXPECT_LT(fake.IndexOf("SetAlwaysOnTop(frmMain,-1)"), fake.IndexOf("frmSet.Hide"));
}

TEST_F(FrmMainTest, TickedOnTopPutsTheDesktopClockOnTopAtTheEndOfLoading) {
    fake.Store("OnTop", "1");
    Start("");

    const std::size_t hide = fake.IndexOf("frmSet.Hide");
    EXPECT_EQ(fake.log[hide + 1], "SetAlwaysOnTop(frmMain,0)");
    EXPECT_EQ(fake.log[hide + 2], "SetAlwaysOnTop(frmMain,-1)");
    EXPECT_EQ(fake.log[hide + 3], "frmMain.SetFocus");
    EXPECT_TRUE(fake.mainForm.window.topmost);
}

}  // namespace
}  // namespace tavrino
