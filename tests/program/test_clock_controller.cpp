// The clock window's behaviour through the fake frontend: the run modes, the fades and what stops
// them, the keys, clicks and pointer moves per mode, resizing, the tick, and closing. No call may
// reach the frontend after the process ended.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DrawnFaces.h"
#include "ProgramRun.h"

namespace tavrino {
namespace {

using namespace std::chrono_literals;

constexpr PixelRect kDesktop{32, 32, 288, 288};
constexpr PixelRect kFullScreen{0, 0, 1024, 768};
constexpr PixelRect kInHost{0, 0, 152, 112};

// Whether the pending tick lands within a few milliseconds after the fake's next second begins.
bool DueJustAfterTheSecond(const FakeFrontend& fake) {
    if (!fake.pendingTick) {
        return false;
    }
    const auto due = fake.time.millisecond + fake.pendingTick->count();
    return due >= 1000 && due <= 1010;
}

// A whole face drawn from nothing at that time, as the program's run shows it.
std::map<std::pair<float, float>, CircleOp> FreshFace(LocalTime time) {
    FixedTime clock(time);
    Tavrino face(clock);
    RecordingSurface surface(256, 256);
    face.InitClock(surface);
    face.DrawClock(Redraw::Everything);
    return Shown(surface);
}

// --- Run modes --------------------------------------------------------------------------------

TEST(ClockStart, EachRunModeSetsUpItsWindowAndStoresItsOwnKeys) {
    struct Case {
        const char* arguments;
        PixelRect rect;
        const char* title;
        bool border;
        bool onTop;
        bool pointerVisible;
        std::optional<HostWindowId> host;
        std::optional<int> translucency;  // after the fade-in
        const char* amountKey;
    };
    const Case cases[] = {
        {"", kDesktop, "Tavrino", true, false, true, {}, 63, "Transparence"},
        {"/S", kFullScreen, "", false, true, false, {}, 31, "Transparence.scr"},
        {"/s", kFullScreen, "", false, true, false, {}, 31, "Transparence.scr"},
        {"x/sy", kFullScreen, "", false, true, false, {}, 31, "Transparence.scr"},
        {"/p 1234", kInHost, "", false, false, true, kHost, {}, "Transparence.scr"},
        {"/P 1234 /S", kInHost, "", false, false, false, kHost, {}, "Transparence.scr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        ProgramRun run(c.arguments);
        run.Start();
        EXPECT_EQ(run.clock.rect, c.rect);
        EXPECT_EQ(run.clock.title, c.title);
        EXPECT_EQ(run.clock.border, c.border);
        EXPECT_FALSE(run.clock.titleBar);
        EXPECT_EQ(run.clock.onTop, c.onTop);
        EXPECT_EQ(run.clock.pointerVisible, c.pointerVisible);
        EXPECT_EQ(run.clock.host, c.host);
        EXPECT_EQ(run.clock.translucency, c.translucency);
        EXPECT_TRUE(run.clock.visible);
        EXPECT_EQ(run.fake.active, &run.clock);
        EXPECT_FALSE(run.clock.taskbarButton);
        EXPECT_FALSE(run.Dialog().visible);
        EXPECT_TRUE(DueJustAfterTheSecond(run.fake));

        run.Key(Key::Escape);
        EXPECT_TRUE(run.fake.ended);
        EXPECT_TRUE(run.clock.pointerVisible);
        EXPECT_TRUE(run.fake.stored.contains(c.amountKey));
        EXPECT_EQ(run.fake.stored.contains("WinLeft"), c.rect == kDesktop);
        EXPECT_EQ(run.fake.callsAfterEnd, 0);
    }
}

TEST(ClockStart, StartsOnceAndTellsTheDialogItsVersionAndTheScreensResolution) {
    ProgramRun run;
    run.Start();
    const int passes = run.fake.passes;
    run.Start();
    EXPECT_EQ(run.fake.passes, passes);
    EXPECT_EQ(run.Dialog().state.versionText, "Version 1.00a - 02.02.2015");
    // The one the run reckons with, also when the screen's changes later.
    run.fake.resolution = {96, 96};
    run.Dialog().CloseBox();
    run.Events().OnKey(Press(Key::F1));
    EXPECT_EQ(run.Dialog().layoutResolution, (PixelsPerInch{120, 144}));
}

TEST(ClockStart, ConfigurationShowsOnlyTheDialogAndEndsWhenItClosesEitherWay) {
    const std::pair<const char*, bool> cases[] = {
        {"/c", true}, {"/S /C", false}, {"/P 1234 /c", true}, {"/c:4242", false}};
    for (const auto& [arguments, ok] : cases) {
        SCOPED_TRACE(arguments);
        ProgramRun run(arguments);
        bool dialogOnTop = false;
        run.fake.onShowModal = [&, closeWithOk = ok](FakeSettingsDialog& dialog) {
            dialogOnTop = dialog.onTop;
            closeWithOk ? dialog.PressOk() : dialog.CloseBox();
        };
        run.Start();

        EXPECT_TRUE(dialogOnTop);
        // The clock window stays as it was built: hidden, off the screen, without a title bar.
        EXPECT_FALSE(run.clock.visible);
        EXPECT_EQ(run.clock.rect, (PixelRect{-65536, -65536, -65216, -65216}));
        EXPECT_EQ(run.clock.title, "Tavrino");
        EXPECT_FALSE(run.clock.titleBar);
        EXPECT_FALSE(run.clock.onTop);
        EXPECT_FALSE(run.clock.translucency.has_value());
        // Closed when the dialog closed: the options stored, no rectangle, the end.
        EXPECT_EQ(run.fake.stored, (Stored{{"TaskBar", "1"},
                                           {"OnTop", "0"},
                                           {"LockWindow", "0"},
                                           {"AllMonitors.scr", "1"},
                                           {"Drift.scr", "0"},
                                           {"Brightness.scr", "100"},
                                           {"BlueNumbers.scr", "1"},
                                           {"Fading.scr", "1"},
                                           {"Transparence.scr", "31"}}));
        EXPECT_EQ(run.fake.dialog, nullptr);
        EXPECT_TRUE(run.fake.ended);
        EXPECT_EQ(run.fake.callsAfterEnd, 0);
    }
}

TEST(ClockStart, FullScreenShowsAFaceOnEveryMonitorAndFollowsTheirChanges) {
    ProgramRun run("/S");
    // A second monitor left of the primary, reaching lower.
    run.fake.monitors = {{0, 0, 1024, 768}, {-800, 100, 0, 700}};
    run.fake.face.SetInnerSize(1824, 768);
    run.Start();
    EXPECT_EQ(run.clock.rect, (PixelRect{-800, 0, 1024, 768}));
    EXPECT_EQ(Shown(run.fake.face),
              FacesOn({{800, 0, 1824, 768}, {0, 100, 800, 700}}, run.fake.time));
    run.fake.time.second = 57;
    run.program.TickEvents().OnTick();
    EXPECT_EQ(Shown(run.fake.face),
              FacesOn({{800, 0, 1824, 768}, {0, 100, 800, 700}}, run.fake.time));

    // The second monitor unplugged: one face over the primary, as on a desk of one monitor.
    run.fake.monitors = {{0, 0, 1024, 768}};
    run.fake.face.SetInnerSize(1024, 768);
    run.Events().OnMonitorsChanged();
    EXPECT_EQ(run.clock.rect, kFullScreen);
    EXPECT_EQ(Shown(run.fake.face), FacesOn({kFullScreen}, run.fake.time));
    EXPECT_FALSE(run.fake.ended);
}

// An X server may answer the window's new size only after the window is shown, with an image that
// is empty again: the face is drawn anew at that size.
TEST(ClockStart, ASizeThatArrivesOnceTheWindowIsShownGetsTheFaceDrawnAgain) {
    ProgramRun run("/S");
    run.fake.face.SetInnerSize(320, 320);  // what the window had before it was shown
    run.fake.onPendingEvents = [&run](int) {
        if (run.clock.visible && run.fake.face.InnerWidth() != 1024) {
            run.fake.face.SetInnerSize(1024, 768);
            run.fake.face.Clear();
            run.Events().OnResize();
        }
    };
    run.Start();
    EXPECT_EQ(Shown(run.fake.face), FacesOn({kFullScreen}, run.fake.time));
}

// A hack drawing on the root window: its host is the whole desk, which shows a face per monitor;
// a host of any other size shows one face.
TEST(ClockStart, APreviewInAHostAsLargeAsTheDeskShowsAFaceOnEveryMonitor) {
    for (const bool coversDesk : {true, false}) {
        SCOPED_TRACE(coversDesk);
        ProgramRun run("/P 1234");
        run.fake.monitors = {{0, 0, 1024, 768}, {1024, 0, 1824, 600}};
        const PixelRect host{0, 0, coversDesk ? 1824 : 1800, 768};
        run.fake.clock.hostWindows[kHost] = host;
        run.fake.face.SetInnerSize(host.Width(), host.Height());
        run.Start();
        EXPECT_EQ(Shown(run.fake.face),
                  coversDesk ? FacesOn({{0, 0, 1024, 768}, {1024, 0, 1824, 600}}, run.fake.time)
                             : FacesOn({host}, run.fake.time));
    }
}

TEST(ClockStart, TheScreensaverFileAloneAndAHostsConfigurationShowTheDialogForItsOwner) {
    struct Case {
        const char* arguments;
        bool screensaverFile;
        HostWindowId owner;
    };
    const Case cases[] = {
        {"", true, 0}, {"/c:4242", false, 4242}, {"/C 4242", true, 4242}, {"/c", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        ProgramRun run(c.arguments);
        run.screensaverFile = c.screensaverFile;
        std::optional<HostWindowId> ownerWhileShown;
        run.fake.onShowModal = [&](FakeSettingsDialog& dialog) {
            ownerWhileShown = dialog.visible ? std::optional(dialog.owner) : std::nullopt;
            dialog.PressOk();
        };
        run.Start();
        EXPECT_EQ(ownerWhileShown, c.owner);
        EXPECT_FALSE(run.clock.visible);
        EXPECT_TRUE(run.fake.stored.contains("Transparence.scr"));
        EXPECT_TRUE(run.fake.ended);
    }
    // From the screensaver file a switch keeps its meaning.
    ProgramRun saver("/s");
    saver.screensaverFile = true;
    saver.Start();
    EXPECT_EQ(saver.clock.rect, kFullScreen);
}

TEST(ClockStart, ASecondFullScreenSaverEndsBeforeShowingAnything) {
    ProgramRun first("/s");
    first.Start();
    EXPECT_TRUE(first.fake.claimedSaver);
    EXPECT_TRUE(first.clock.visible);

    ProgramRun second("/s");
    second.fake.otherSaverRunning = true;
    second.Start();
    EXPECT_TRUE(second.fake.ended);
    EXPECT_FALSE(second.clock.visible);
    EXPECT_TRUE(second.clock.pointerVisible);
    EXPECT_EQ(second.fake.dialogsOpened, 0);
    EXPECT_TRUE(second.fake.stored.empty());
    EXPECT_EQ(second.fake.callsAfterEnd, 0);

    // The desktop clock and the preview run beside a screensaver and claim nothing.
    for (const char* arguments : {"", "/p 1234"}) {
        SCOPED_TRACE(arguments);
        ProgramRun other(arguments);
        other.fake.otherSaverRunning = true;
        other.Start();
        EXPECT_FALSE(other.fake.ended);
        EXPECT_TRUE(other.clock.visible);
        EXPECT_FALSE(other.fake.claimedSaver);
    }
}

TEST(ClockStart, PreviewWithoutAUsableHostEndsAtOnceWithoutAWindow) {
    for (const char* arguments : {"/P", "/P:1234", "/P 0", "/S /P 1234", "/P 999"}) {
        SCOPED_TRACE(arguments);
        ProgramRun run(arguments);
        run.Start();

        EXPECT_TRUE(run.fake.ended);
        EXPECT_FALSE(run.clock.visible);
        EXPECT_FALSE(run.clock.host.has_value());
        EXPECT_FALSE(run.fake.pendingTick.has_value());
        EXPECT_TRUE(run.fake.stored.empty());
        EXPECT_NE(run.fake.dialog, nullptr);  // nothing was closed
        EXPECT_EQ(run.fake.callsAfterEnd, 0);
    }
}

// --- Translucency and fades ----------------------------------------------------------------------

TEST(ClockFades, NoFadesWithoutAnAmountTranslucencyOrATickedBox) {
    struct Case {
        Stored stored;
        bool available;
        std::optional<int> translucency;
        const char* fadingAtTheEnd;
    };
    const Case cases[] = {
        {{{"Transparence", "0"}}, true, {}, "1"},
        {{}, false, {}, "1"},
        {{{"Fading", "0"}, {"Transparence", "100"}}, true, 100, "0"},
        {{{"Fading", "2"}, {"Transparence", "100"}}, true, 100, "1"},
    };
    for (const Case& c : cases) {
        ProgramRun run("", c.stored);
        run.clock.translucencyAvailable = c.available;
        run.Start();
        run.Key(Key::Escape);

        EXPECT_EQ(run.clock.translucency, c.translucency);
        EXPECT_TRUE(run.clock.framesShown.empty());
        EXPECT_EQ(run.fake.passes, 1);
        EXPECT_EQ(run.fake.stored["Fading"], c.fadingAtTheEnd);
        EXPECT_TRUE(run.fake.ended);
    }
}

TEST(ClockFades, InFromInvisibleByTwosAndOutByEights) {
    for (const int amount : {63, 100}) {
        SCOPED_TRACE(amount);
        ProgramRun run("", {{"Transparence", std::to_string(amount)}});
        bool tickDuringFade = false;
        run.WatchTranslucency(
            [&](int pass) { tickDuringFade |= pass == 2 && run.fake.pendingTick; });
        run.Start();
        // Invisible at the start's pass, then each step followed by a pass, ending at the last
        // step not below the amount.
        std::vector<int> in = Steps(255, amount, -2);
        in.insert(in.begin(), 255);
        EXPECT_EQ(run.seen, in);
        EXPECT_TRUE(tickDuringFade);
        // Each step on screen for one displayed frame: the default fade-in's 97 steps take about
        // 1.6 s at 60 Hz.
        EXPECT_EQ(run.clock.framesShown, Steps(255, amount, -2));

        run.WatchTranslucency();
        run.clock.framesShown.clear();
        run.Key(Key::Escape);
        EXPECT_EQ(run.seen, Steps(amount, 255, 8));
        EXPECT_EQ(run.clock.framesShown, Steps(amount, 255, 8));
        EXPECT_TRUE(run.fake.ended);
    }
}

TEST(ClockFades, KeyDuringTheFadeInAppliesTheAmountAndTheFadeOutGoesOnFromThere) {
    ProgramRun run("", {{"Transparence", "100"}});
    run.WatchTranslucency([&](int pass) {
        if (pass == 3) {
            run.Events().OnKey(Press(Key::Other));
        }
    });
    run.Start();
    EXPECT_EQ(run.seen, (std::vector<int>{255, 255, 253}));
    EXPECT_EQ(run.clock.translucency, 100);
    // The amount is applied at once, without waiting for another frame.
    EXPECT_EQ(run.clock.framesShown, (std::vector<int>{255, 253}));
    EXPECT_FALSE(run.fake.ended);

    run.WatchTranslucency();
    run.Key(Key::Escape);
    EXPECT_EQ(run.seen, std::vector<int>{251});
    EXPECT_EQ(run.clock.framesShown, (std::vector<int>{255, 253, 251}));
}

TEST(ClockFades, KeyDuringTheFadeOutMakesTheClockOpaqueAndClosesOnce) {
    ProgramRun run;
    run.Start();
    run.clock.framesShown.clear();
    const int before = run.fake.passes;
    run.WatchTranslucency([&](int pass) {
        if (pass == before + 3) {
            run.Key(Key::Escape);  // asks for the close that is already running
        }
    });
    run.Key(Key::Escape);

    EXPECT_EQ(run.seen, (std::vector<int>{63, 71, 79}));
    EXPECT_EQ(run.clock.translucency, 0);
    EXPECT_EQ(run.clock.framesShown, (std::vector<int>{63, 71, 79}));
    EXPECT_EQ(run.fake.stored["WinTop"], "32");
    EXPECT_TRUE(run.fake.ended);
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

TEST(ClockFades, EscDuringTheFadeInEndsWithoutFadeOutButStoresTheRectangle) {
    ProgramRun run;
    run.WatchTranslucency([&](int pass) {
        if (pass == 5) {
            run.Key(Key::Escape);
        }
    });
    run.Start();

    EXPECT_TRUE(run.fake.ended);
    EXPECT_EQ(run.seen, (std::vector<int>{255, 255, 253, 251, 249}));
    EXPECT_EQ(run.clock.framesShown, (std::vector<int>{255, 253, 251, 249}));
    EXPECT_EQ(run.fake.stored["WinHeight"], "256");
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

// --- Keys, clicks and pointer moves --------------------------------------------------------------

TEST(ClockInput, EscAndAltF4CloseEveryModeAndTheScreensaverClosesOnAnyOtherKey) {
    struct Case {
        const char* arguments;
        KeyPress key;
        bool closes;
    };
    const Case cases[] = {
        {"", Press(Key::Escape), true},
        {"", Press(Key::F4, false, false, true), true},
        {"", Press(Key::Escape, true), false},
        {"", Press(Key::Escape, false, true), false},
        {"", Press(Key::Escape, false, false, true), false},
        {"", Press(Key::Other), false},
        {"", Press(Key::F4), false},
        {"", Press(Key::F4, false, true), false},
        {"", Press(Key::F4, true, false, true), false},
        {"", Press(Key::F1, true), false},
    };
    for (const Case& c : cases) {
        ProgramRun run(c.arguments);
        run.Start();
        run.Events().OnKey(c.key);
        EXPECT_EQ(run.fake.ended, c.closes) << &c - cases;
        EXPECT_TRUE(c.closes || !run.Dialog().visible);
    }
    for (const char* arguments : {"/S", "/P 1234"}) {
        for (const KeyPress key :
             {Press(Key::Escape), Press(Key::Other), Press(Key::Escape, true),
              Press(Key::F1, false, false, true), Press(Key::F1, false, true), Press(Key::F4)}) {
            ProgramRun run(arguments);
            run.Start();
            run.Events().OnKey(key);
            EXPECT_TRUE(run.fake.ended) << arguments;
            EXPECT_TRUE(run.clock.pointerVisible) << arguments;
        }
    }
}

TEST(ClockInput, AKeyAlreadyDownIsNoCommandInAnyMode) {
    for (const char* arguments : {"", "/S", "/P 1234"}) {
        for (const Key key : {Key::Escape, Key::F1, Key::Other}) {
            ProgramRun run(arguments);
            run.Start();
            KeyPress held = Press(key);
            held.repeat = true;
            run.Events().OnKey(held);
            EXPECT_FALSE(run.fake.ended) << arguments;
            EXPECT_FALSE(run.Dialog().visible) << arguments;
            run.Key(Key::Escape);
            EXPECT_TRUE(run.fake.ended) << arguments;
        }
    }
}

TEST(ClockInput, AnotherProgramActivatedEndsOnlyTheFullScreenSaverAsAKeyWould) {
    ProgramRun saver("/S");
    saver.Start();
    saver.Key(Key::F1);
    saver.Events().OnOtherProgramActivated();
    EXPECT_TRUE(saver.fake.ended);
    EXPECT_TRUE(saver.clock.pointerVisible);
    EXPECT_EQ(saver.fake.stored["Transparence.scr"], "31");
    EXPECT_EQ(saver.fake.dialog, nullptr);
    EXPECT_EQ(saver.fake.callsAfterEnd, 0);

    for (const char* arguments : {"", "/p 1234", "/P 1234 /S"}) {
        SCOPED_TRACE(arguments);
        ProgramRun other(arguments);
        other.Start();
        other.Events().OnOtherProgramActivated();
        EXPECT_FALSE(other.fake.ended);
        EXPECT_TRUE(other.clock.visible);
    }
}

TEST(ClockInput, F1OpensTheDialogOnTopInEveryModeWithThePointerShown) {
    for (const char* arguments : {"", "/S", "/P 1234"}) {
        ProgramRun run(arguments);
        run.Start();
        run.Key(Key::F1);

        EXPECT_FALSE(run.fake.ended) << arguments;
        EXPECT_TRUE(run.Dialog().visible) << arguments;
        EXPECT_TRUE(run.Dialog().onTop) << arguments;
        EXPECT_TRUE(run.clock.pointerVisible) << arguments;
    }
}

TEST(ClockInput, AClickEndsOnlyTheFullScreenWhichNoDragMoves) {
    for (const char* arguments : {"", "/P 1234"}) {
        ProgramRun run(arguments);
        run.Start();
        run.Events().OnClick();
        EXPECT_FALSE(run.fake.ended) << arguments;
    }
    for (const char* arguments : {"/S", "/P 1234 /S"}) {
        ProgramRun run(arguments);
        run.Start();
        const PixelRect rect = run.clock.rect;
        run.Drag(Pointer(5, 5), Pointer(60, 60));
        EXPECT_EQ(run.clock.rect, rect) << arguments;
        run.Events().OnClick();
        EXPECT_TRUE(run.fake.ended) << arguments;
        EXPECT_TRUE(run.clock.pointerVisible) << arguments;
    }
}

TEST(ClockInput, OnlyTheDesktopClockIsDraggedAndOnlyWhileUnlocked) {
    ProgramRun desktop;
    desktop.Start();
    desktop.Drag(Pointer(5, 5), Pointer(15, 5));
    EXPECT_EQ(desktop.clock.rect, (PixelRect{42, 32, 298, 288}));

    ProgramRun preview("/P 1234");
    preview.Start();
    preview.Drag(Pointer(5, 5), Pointer(15, 5));
    EXPECT_EQ(preview.clock.rect, kInHost);

    for (const char* locked : {"2", "1"}) {
        ProgramRun run("", {{"LockWindow", locked}});
        run.Start();
        run.Drag(Pointer(5, 5), Pointer(15, 25));
        EXPECT_EQ(run.clock.rect, kDesktop) << locked;
        // Unlocked mid-drag: only the motion after unlocking counts.
        run.Key(Key::F1);
        run.Dialog().Click(CheckBox::LockPosition);
        run.Events().OnPointerMove(Pointer(17, 25, true));
        EXPECT_EQ(run.clock.rect, (PixelRect{34, 32, 290, 288})) << locked;
    }
}

// --- Resizing, tick and focus --------------------------------------------------------------------

TEST(ClockResize, DuringTheStartNothingHappens) {
    ProgramRun run;
    run.fake.onPendingEvents = [&](int pass) {
        if (pass == 1) {
            run.fake.face.ClearLog();
            run.clock.Resize({32, 32, 40, 40});
            EXPECT_EQ(run.clock.rect.Width(), 8);
            EXPECT_TRUE(run.fake.face.Log().empty());
        }
    };
    run.Start();
    EXPECT_GT(run.fake.passes, 1);
}

TEST(ClockResize, KeepsThirtyTwoPixelsExceptFullScreenAndRepaintsTheWholeFace) {
    struct Case {
        const char* arguments;
        PixelRect resized;
        PixelRect kept;
    };
    const Case cases[] = {
        {"", {32, 32, 45, 288}, {32, 32, 64, 288}},     {"", {32, 32, 65, 63}, {32, 32, 65, 64}},
        {"/P 1234", {0, 0, 10, 112}, {0, 0, 32, 112}},  {"/S", {0, 0, 20, 10}, {0, 0, 20, 10}},
        {"/P 1234 /S", {0, 0, 20, 10}, {0, 0, 20, 10}},
    };
    for (const Case& c : cases) {
        ProgramRun run(c.arguments);
        run.Start();
        run.fake.face.ClearLog();
        run.clock.Resize(c.resized);

        EXPECT_EQ(run.clock.rect, c.kept) << c.arguments;
        const auto kinds = run.fake.face.Kinds();
        ASSERT_FALSE(kinds.empty());
        EXPECT_EQ(kinds.front(), SurfaceOpKind::Clear);
        EXPECT_EQ(kinds.back(), SurfaceOpKind::Refresh);
        EXPECT_GE(run.fake.face.Count(SurfaceOpKind::Circle), 108u + 72u);
    }
}

TEST(ClockResize, MinimisedOrMaximisedWindowIsRestoredAtOnce) {
    ProgramRun run;
    run.Start();
    for (const WindowState state : {WindowState::Minimised, WindowState::Maximised}) {
        run.clock.ChangeState(state);
        EXPECT_EQ(run.clock.state, WindowState::Normal);
    }
}

TEST(ClockResize, WhileF1OpensTheDialogOnlyTheMinimumSizeIsKept) {
    ProgramRun run;
    run.Start();
    run.fake.onDialogShown = [&] {
        run.fake.face.ClearLog();
        run.clock.Resize({32, 32, 40, 288});
    };
    run.Key(Key::F1);
    EXPECT_EQ(run.clock.rect.Width(), 32);
    EXPECT_TRUE(run.fake.face.Log().empty());

    run.clock.Resize({32, 32, 100, 288});  // afterwards handled fully again
    EXPECT_EQ(run.fake.face.Count(SurfaceOpKind::Clear), 1u);
}

TEST(ClockResize, TickDrawsWhatChangedAndAsksForTheNextWhileFocusAndClockJumpsRepaintAll) {
    ProgramRun run;
    run.Start();
    FakeFrontend& fake = run.fake;
    fake.face.ClearLog();
    fake.pendingTick.reset();

    run.program.TickEvents().OnTick();
    EXPECT_EQ(fake.face.Count(SurfaceOpKind::Circle), 0u);
    EXPECT_TRUE(DueJustAfterTheSecond(fake));
    fake.time.second = 57;
    run.program.TickEvents().OnTick();
    EXPECT_EQ(fake.face.Count(SurfaceOpKind::Circle), 1u);  // the ring dot that lights

    fake.face.ClearLog();
    run.Events().OnFocus();
    EXPECT_EQ(fake.face.Count(SurfaceOpKind::Circle), 108u + 72u);
    fake.face.ClearLog();
    run.program.TickEvents().OnWallClockChanged();
    EXPECT_EQ(fake.face.Count(SurfaceOpKind::Circle), 108u + 72u);
}

// --- The tick and the wall clock -----------------------------------------------------------------

TEST(ClockTick, ComesJustAfterTheNextSecondBeginsWhateverTheMillisecond) {
    for (const int millisecond : {0, 1, 500, 999}) {
        SCOPED_TRACE(millisecond);
        ProgramRun run;
        run.fake.time.millisecond = millisecond;
        run.Start();
        EXPECT_TRUE(DueJustAfterTheSecond(run.fake));

        run.fake.time = {12, 34, 57, millisecond};
        run.program.TickEvents().OnTick();
        EXPECT_TRUE(DueJustAfterTheSecond(run.fake));
        EXPECT_EQ(Shown(run.fake.face), FreshFace(run.fake.time));
    }
}

TEST(ClockTick, AnEarlyTickDrawsNothingAndAsksForTheRestOfTheSecond) {
    ProgramRun run;
    run.Start();
    run.fake.face.ClearLog();
    run.fake.time.millisecond = 990;
    run.program.TickEvents().OnTick();
    EXPECT_EQ(run.fake.face.Count(SurfaceOpKind::Circle), 0u);
    EXPECT_EQ(run.fake.face.Count(SurfaceOpKind::Refresh), 0u);
    EXPECT_LE(run.fake.pendingTick, 20ms);
    EXPECT_TRUE(DueJustAfterTheSecond(run.fake));
}

TEST(ClockTick, ASecondThatBeginsWhileTheFaceIsShownIsShownAtOnce) {
    ProgramRun run;
    run.fake.time = {12, 34, 56, 998};
    run.fake.onPendingEvents = [&](int) { run.fake.time = {12, 34, 57, 2}; };
    run.Start();
    ASSERT_TRUE(run.fake.pendingTick.has_value());
    EXPECT_LE(*run.fake.pendingTick, 10ms);

    run.fake.time.millisecond += static_cast<int>(run.fake.pendingTick->count());
    run.program.TickEvents().OnTick();
    EXPECT_EQ(Shown(run.fake.face), FreshFace({12, 34, 57}));
    EXPECT_TRUE(DueJustAfterTheSecond(run.fake));
}

TEST(ClockTick, AJumpOfTheLocalTimeShowsTheNewTimeWholeAndRealignsTheTick) {
    struct Case {
        const char* name;
        LocalTime from;
        LocalTime to;
        bool announced;  // the system reports the change; otherwise the next tick finds it
    };
    const Case cases[] = {
        {"set back an hour", {12, 34, 56}, {11, 34, 56, 3}, false},
        {"set back an hour, reported", {12, 34, 56}, {11, 34, 56, 700}, true},
        {"forward a day, reported", {12, 34, 56}, {12, 34, 56, 400}, true},
        {"summer time begins", {1, 59, 59}, {3, 0, 0, 4}, false},
        {"summer time ends", {2, 30, 10}, {1, 30, 11, 6}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramRun run;
        run.fake.time = c.from;
        run.Start();
        run.fake.time = c.to;
        c.announced ? run.program.TickEvents().OnWallClockChanged()
                    : run.program.TickEvents().OnTick();
        EXPECT_EQ(Shown(run.fake.face), FreshFace(c.to));
        EXPECT_TRUE(DueJustAfterTheSecond(run.fake));
    }
}

TEST(ClockTick, AChangeOfTheWallClockArmsNoTickWhenOnlyTheDialogRuns) {
    ProgramRun run("/c");
    run.fake.onShowModal = [&](FakeSettingsDialog&) {
        run.program.TickEvents().OnWallClockChanged();
        EXPECT_FALSE(run.fake.pendingTick.has_value());
    };
    run.Start();
    EXPECT_FALSE(run.fake.pendingTick.has_value());
}

// --- Closing -------------------------------------------------------------------------------------

TEST(ClockClose, DesktopFadesOutThenStoresTheRectangleAndTheOptions) {
    ProgramRun run;
    run.Start();
    run.Drag(Pointer(0, 0), Pointer(10, 20));
    run.WatchTranslucency();
    run.Events().OnClose();

    EXPECT_EQ(run.seen.front(), 63);
    EXPECT_EQ(run.fake.stored, (Stored{{"WinTop", "52"},
                                       {"WinLeft", "42"},
                                       {"WinWidth", "256"},
                                       {"WinHeight", "256"},
                                       {"TaskBar", "0"},
                                       {"OnTop", "0"},
                                       {"LockWindow", "0"},
                                       {"BlueNumbers", "1"},
                                       {"Fading", "1"},
                                       {"Transparence", "63"}}));
    EXPECT_EQ(run.fake.writes, 2);  // the rectangle, then the options
    EXPECT_TRUE(run.fake.flushed);  // and nothing after it: see the fake
    EXPECT_FALSE(run.fake.pendingTick.has_value());
    EXPECT_EQ(run.fake.dialog, nullptr);
    EXPECT_TRUE(run.fake.ended);
}

TEST(ClockClose, ScreensaverAndPreviewShowThePointerInsteadOfStoringTheRectangle) {
    ProgramRun screen("/S");
    screen.Start();
    screen.Events().OnClose();
    ProgramRun preview("/P 1234");
    preview.Start();
    preview.Events().OnHostGone();

    for (ProgramRun* run : {&screen, &preview}) {
        EXPECT_TRUE(run->fake.ended);
        EXPECT_TRUE(run->clock.pointerVisible);
        EXPECT_EQ(run->fake.stored["Transparence.scr"], "31");
        EXPECT_FALSE(run->fake.stored.contains("WinTop"));
        EXPECT_FALSE(run->fake.pendingTick.has_value());
        EXPECT_EQ(run->fake.dialog, nullptr);
    }
}

TEST(ClockClose, NothingRunsAfterTheEndEvenWhenTheStoreRefusesWrites) {
    ProgramRun run;
    run.fake.refuseWrites = true;
    run.Start();
    run.Key(Key::Escape);
    EXPECT_TRUE(run.fake.ended);
    EXPECT_TRUE(run.fake.stored.empty());
    run.fake.face.ClearLog();

    run.program.TickEvents().OnTick();
    run.program.TickEvents().OnWallClockChanged();
    run.Events().OnFocus();
    run.Events().OnResize();
    run.Key(Key::F1);
    run.Key(Key::Escape);
    run.Events().OnClick();
    run.Drag(Pointer(0, 0), Pointer(50, 50));
    run.Events().OnClose();
    run.Events().OnHostGone();
    run.Start();

    EXPECT_TRUE(run.fake.face.Log().empty());
    EXPECT_EQ(run.fake.callsAfterEnd, 0);
}

// --- Stored rectangle and options ----------------------------------------------------------------

TEST(ClockStored, RectangleIsPlacedInWholePixelsOnAMonitor) {
    struct Case {
        Stored stored;
        bool secondMonitor;  // right of the first
        PixelRect rect;
    };
    const Stored offTheFirstMonitor{{"WinLeft", "3000"}, {"WinTop", "100"}, {"WinWidth", "300"}};
    const Case cases[] = {
        {{{"WinLeft", "100"}, {"WinTop", "-20"}, {"WinWidth", "300"}, {"WinHeight", "200.5"}},
         false,
         {100, -20, 400, 181}},
        // Off every monitor: back onto the work area.
        {offTheFirstMonitor, false, {724, 100, 1024, 356}},
        {offTheFirstMonitor, true, {3000, 100, 3300, 356}},
    };
    for (const Case& c : cases) {
        ProgramRun run("", c.stored);
        if (c.secondMonitor) {
            run.fake.monitors.push_back({1024, 0, 4096, 1024});
        }
        run.Start();
        EXPECT_EQ(run.clock.rect, c.rect) << &c - cases;
    }
}

TEST(ClockStored, OnlyANonZeroNumberGivesTheDesktopClockATaskbarButton) {
    struct Case {
        const char* stored;  // null: absent
        bool button;
    };
    for (const Case& c : {Case{nullptr, false}, Case{"0", false}, Case{"1", true},
                          Case{"abc", false}, Case{"0.5", true}}) {
        ProgramRun run("", c.stored ? Stored{{"TaskBar", c.stored}} : Stored{});
        run.Start();
        EXPECT_EQ(run.clock.taskbarButton, c.button) << (c.stored ? c.stored : "absent");
        EXPECT_EQ(run.Dialog().Box(CheckBox::TaskbarButton),
                  c.button ? CheckState::Ticked : CheckState::Clear);
    }
}

TEST(ClockStored, TickedOrGreyedOnTopPutsTheDesktopClockOnTop) {
    for (const char* onTop : {"2", "1"}) {
        ProgramRun run("", {{"OnTop", onTop}});
        run.Start();
        EXPECT_TRUE(run.clock.onTop) << onTop;
        EXPECT_FALSE(run.Dialog().visible) << onTop;
        // Ticked, the start puts the clock on top once more, above the dialog the option put
        // there.
        EXPECT_EQ(run.clock.bandPosition > run.Dialog().bandPosition, onTop[0] == '1');
    }
}

}  // namespace
}  // namespace tavrino
