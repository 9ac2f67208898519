// The Windows frontend in one piece, as the program gets it: the command line, the screen, the
// settings in the registry, the demonstration time, a pass of the message loop, the settings
// dialog's life, the end of the process, and a teardown after the program has gone.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <variant>

#include "win32/ProcessStart.h"
#include "win32/WindowsFrontend.h"

namespace tavrino::win32 {
namespace {

constexpr wchar_t kTestBase[] = L"Software\\TavrinoFrontendTest";

// A run of the frontend on a registry key of its own, with the end of the process recorded.
class FrontendTest : public testing::Test {
  protected:
    int ends = 0;

    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestBase); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestBase); }

    std::unique_ptr<WindowsFrontend> MakeFrontend(std::string time = "12:34:56") {
        FrontendOptions options;
        options.registryBase = kTestBase;
        options.timeOverride = std::move(time);
        options.process.endProcess = [this] { ++ends; };
        return std::make_unique<WindowsFrontend>(GetModuleHandleW(nullptr), std::move(options));
    }
};

// Counts every event; once the program is gone, any event reaching it counts as a fault.
class CountingProgram final : public ClockWindowEvents,
                              public TickEvents,
                              public SettingsDialogEvents {
  public:
    int keys = 0;
    int ticks = 0;
    int closes = 0;
    bool gone = false;
    int afterGone = 0;
    std::function<void()> onClose;

    void OnFocus() override { Note(); }
    void OnResize() override { Note(); }
    void OnKey(const KeyPress&) override {
        ++keys;
        Note();
    }
    void OnClick() override { Note(); }
    void OnPointerMove(const PointerMove&) override { Note(); }
    void OnClose() override {
        ++closes;
        Note();
        if (onClose) {
            onClose();
        }
    }
    void OnHostGone() override { Note(); }
    void OnMonitorsChanged() override { Note(); }
    void OnOtherProgramActivated() override { Note(); }
    void OnTick() override {
        ++ticks;
        Note();
    }
    void OnWallClockChanged() override { Note(); }
    void OnEvent(const DialogEvent& event) override {
        if (std::holds_alternative<CloseRequested>(event)) {
            OnClose();
        } else {
            Note();
        }
    }

  private:
    void Note() { afterGone += gone ? 1 : 0; }
};

TEST(ArgumentsOf, DropsTheProgramPathQuotedOrNot) {
    EXPECT_EQ(ArgumentsOf(L"tavrino.exe /p 1234"), L"/p 1234");
    EXPECT_EQ(ArgumentsOf(L"\"C:\\Program Files\\Tavrino\\tavrino.scr\" /s"), L"/s");
    EXPECT_EQ(ArgumentsOf(L"\"C:\\My Programs\\tavrino.scr\"   /c:2345"), L"/c:2345");
    EXPECT_EQ(ArgumentsOf(L"C:\\a\\tavrino.scr\t/S"), L"/S");
    EXPECT_EQ(ArgumentsOf(L"\"C:\\x y\"z.exe /p 7"), L"/p 7");
    EXPECT_EQ(ArgumentsOf(L"tavrino.exe"), L"");
    EXPECT_EQ(ArgumentsOf(L"\"tavrino.exe\""), L"");
    EXPECT_EQ(ArgumentsOf(L""), L"");
}

TEST(IsScreensaverFile, TheNameEndsInScrInAnyCase) {
    EXPECT_TRUE(IsScreensaverFile(L"C:\\Tavrino\\tavrino.scr"));
    EXPECT_TRUE(IsScreensaverFile(L"C:\\PROGRA~1\\TAVRIN~1.SCR"));
    EXPECT_FALSE(IsScreensaverFile(L"C:\\Tavrino\\tavrino.exe"));
    EXPECT_FALSE(IsScreensaverFile(L"C:\\scr\\tavrino"));
    EXPECT_FALSE(IsScreensaverFile(L"scr"));
}

TEST(StartRequestOf, TheArgumentsAndTheScreensaverFile) {
    constexpr wchar_t kSaver[] = L"C:\\Tavrino Dir\\tavrino.scr";
    const StartRequest preview =
        StartRequestOf(L"\"C:\\Tavrino Dir\\tavrino.scr\" /p 4321 \u00C4", kSaver);
    EXPECT_EQ(preview.mode, RunMode::Preview);
    EXPECT_EQ(preview.hostWindow, 4321);
    EXPECT_EQ(StartRequestOf(L"\"C:\\Tavrino Dir\\tavrino.scr\"", kSaver).mode,
              RunMode::Configuration);
    EXPECT_EQ(StartRequestOf(L"tavrino.scr \u00C4", L"C:\\Tavrino\\tavrino.exe").mode,
              RunMode::Desktop);
    EXPECT_TRUE(ProgramFile().ends_with(L".exe"));  // the test's own
}

TEST_F(FrontendTest, OneFullScreenSaverAtATimeForAsLongAsItsProcessLives) {
    auto first = MakeFrontend();
    const auto second = MakeFrontend();
    EXPECT_TRUE(first->Parts().process.ClaimFullScreenSaver());
    EXPECT_TRUE(first->Parts().process.ClaimFullScreenSaver());
    EXPECT_FALSE(second->Parts().process.ClaimFullScreenSaver());
    first.reset();
    EXPECT_TRUE(second->Parts().process.ClaimFullScreenSaver());
}

TEST_F(FrontendTest, TheScreenIsTheDisplays) {
    const auto frontend = MakeFrontend();
    tavrino::Screen& screen = frontend->Parts().screen;
    const HDC display = GetDC(nullptr);
    EXPECT_EQ(screen.Resolution().x, GetDeviceCaps(display, LOGPIXELSX));
    EXPECT_EQ(screen.Resolution().y, GetDeviceCaps(display, LOGPIXELSY));
    ReleaseDC(nullptr, display);
    const PixelRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_EQ(screen.PrimaryMonitor(), primary);
    const auto monitors = screen.Monitors();
    EXPECT_NE(std::find(monitors.begin(), monitors.end(), primary), monitors.end());
    const PixelRect work = screen.PrimaryWorkArea();
    EXPECT_GT(work.Width(), 0);
    EXPECT_LE(work.right, primary.right);
    EXPECT_LE(work.bottom, primary.bottom);

    screen.MovePointer(123, 234);
    POINT pointer{};
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, 123);
    EXPECT_EQ(pointer.y, 234);
}

TEST_F(FrontendTest, DemonstrationTime) {
    const auto frontend = MakeFrontend("01:59:57");
    EXPECT_EQ(frontend->Parts().time.Now(), (LocalTime{1, 59, 57, 0}));

    // A malformed demonstration time leaves the real clock, to the millisecond.
    const auto real = MakeFrontend("1:59:57");
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const LocalTime now = real->Parts().time.Now();
    const int ms = ((now.hour * 60 + now.minute) * 60 + now.second) * 1000 + now.millisecond;
    const int expected =
        ((before.wHour * 60 + before.wMinute) * 60 + before.wSecond) * 1000 + before.wMilliseconds;
    EXPECT_LE(std::abs(ms - expected) % (24 * 3600 * 1000 - 2000), 2000);
}

TEST_F(FrontendTest, SettingsAreTextUnderTheApplicationAndTheProgramsName) {
    const auto frontend = MakeFrontend();
    SettingsStore& store = frontend->Parts().store;
    EXPECT_EQ(store.Read("WinLeft"), std::nullopt);
    EXPECT_TRUE(store.Write({{"WinLeft", "-17"}, {"WinTop", "5"}}));
    EXPECT_EQ(store.Read("WinLeft"), "-17");
    EXPECT_EQ(store.Read("WinTop"), "5");

    wchar_t text[16]{};
    DWORD bytes = sizeof text;
    DWORD type = 0;
    const std::wstring key = std::wstring(kTestBase) + L"\\Quenmark\\Tavrino";
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"WinLeft", RRF_RT_ANY, &type, text, &bytes),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, L"-17");
}

TEST_F(FrontendTest, RunPendingEventsDispatchesWhatIsQueuedAndKeepsAQuit) {
    const auto frontend = MakeFrontend();
    CountingProgram program;
    frontend->Connect(program, program);
    PostMessageW(frontend->Clock().Handle(), WM_KEYDOWN, VK_F2, 0);
    PostMessageW(frontend->Clock().Handle(), WM_KEYDOWN, VK_F3, 0);
    frontend->Parts().process.RunPendingEvents();
    EXPECT_EQ(program.keys, 2);

    PostQuitMessage(3);
    frontend->Parts().process.RunPendingEvents();
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

// The dialog may be closed from inside its own close handling; the window goes when the message
// loop is back at its top.
TEST_F(FrontendTest, ClosingTheDialogFromItsOwnCloseIsSafe) {
    const auto frontend = MakeFrontend();
    tavrino::SettingsDialogs& dialogs = frontend->Parts().settingsDialogs;
    CountingProgram program;
    program.onClose = [&] { dialogs.Close(); };
    dialogs.Open(program, PixelsPerInch{96, 96}).Show();
    const HWND dialog = frontend->Dialogs().Current()->Handle();
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.closes, 1);
    EXPECT_EQ(frontend->Dialogs().Current(), nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindow(dialog));

    PostQuitMessage(0);
    EXPECT_EQ(frontend->RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(dialog));

    // Opening again while one is open closes that one first.
    tavrino::SettingsDialog& first = dialogs.Open(program, PixelsPerInch{96, 96});
    first.Show();
    dialogs.Open(program, PixelsPerInch{96, 96});
    EXPECT_FALSE(first.Visible());
}

TEST_F(FrontendTest, EndingTheProcessCancelsTheTick) {
    const auto frontend = MakeFrontend();
    CountingProgram program;
    frontend->Connect(program, program);
    frontend->Parts().ticks.RequestTick(std::chrono::milliseconds(30));
    frontend->Parts().process.EndProcess();
    EXPECT_EQ(ends, 1);
    Sleep(120);
    frontend->Parts().process.RunPendingEvents();
    EXPECT_EQ(program.ticks, 0);
}

// When the message loop returns, the program goes before the frontend: tearing the open dialog
// down hands the activation to the clock window, which must not report it any more.
TEST_F(FrontendTest, TearingDownAfterTheProgramRaisesNoEvent) {
    CountingProgram program;
    auto frontend = MakeFrontend();
    frontend->Connect(program, program);
    frontend->Clock().Show();
    tavrino::SettingsDialog& dialog =
        frontend->Parts().settingsDialogs.Open(program, PixelsPerInch{96, 96});
    dialog.Show();
    dialog.Focus();
    frontend->Parts().process.RunPendingEvents();
    ASSERT_EQ(GetActiveWindow(), frontend->Dialogs().Current()->Handle());

    program.gone = true;
    frontend.reset();
    EXPECT_EQ(program.afterGone, 0);
}

}  // namespace
}  // namespace tavrino::win32
