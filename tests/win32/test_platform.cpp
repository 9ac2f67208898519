// The Win32 platform under the program's logic: the command line, the screen, the message loop,
// the settings store, the demonstration time, the settings dialog's life, and a whole desktop run
// of the real program on real windows, with its ten thousand ticks.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "program/Program.h"
#include "win32/ResourceIds.h"
#include "win32/SettingsDialog.h"
#include "win32/Win32Platform.h"

namespace tavrino::win32 {
namespace {

constexpr wchar_t kTestBase[] = L"Software\\TavrinoPlatformTest";

// A run of the platform on a registry key of its own, with the end of the process recorded.
class PlatformTest : public testing::Test {
  protected:
    int ends = 0;

    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestBase); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestBase); }

    std::unique_ptr<Win32Platform> MakePlatform(std::wstring commandLine = L"tavrino.exe",
                                                std::string time = "12:34:56") {
        Win32PlatformOptions options;
        options.registryBase = kTestBase;
        options.commandLine = std::move(commandLine);
        options.timeOverride = std::move(time);
        options.endProcess = [this] { ++ends; };
        return std::make_unique<Win32Platform>(GetModuleHandleW(nullptr), std::move(options));
    }
};

int WindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            auto& n = *reinterpret_cast<int*>(counter);
            ++n;
            EnumChildWindows(
                window,
                [](HWND, LPARAM inner) -> BOOL {
                    ++*reinterpret_cast<int*>(inner);
                    return TRUE;
                },
                counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

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

TEST_F(PlatformTest, ScreenMetricsComeFromTheDisplay) {
    const auto platform = MakePlatform();
    const WindowDc screen(nullptr);
    EXPECT_EQ(platform->TwipsPerPixelX(),
              1440.0f / static_cast<float>(GetDeviceCaps(screen.Get(), LOGPIXELSX)));
    EXPECT_EQ(platform->TwipsPerPixelY(),
              1440.0f / static_cast<float>(GetDeviceCaps(screen.Get(), LOGPIXELSY)));
    EXPECT_EQ(platform->ScreenWidth(),
              static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * platform->TwipsPerPixelX());
    const auto monitors = platform->MonitorRects();
    ASSERT_FALSE(monitors.empty());
    const PixelRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_NE(std::find(monitors.begin(), monitors.end(), primary), monitors.end());
    const PixelRect work = platform->PrimaryWorkArea();
    EXPECT_GT(work.Width(), 0);
    EXPECT_LE(work.right, primary.right);
    EXPECT_LE(work.bottom, primary.bottom);
}

TEST_F(PlatformTest, CommandLineAndDemonstrationTime) {
    const auto platform = MakePlatform(L"\"C:\\Tavrino Dir\\tavrino.scr\" /p 4321", "01:59:57");
    EXPECT_EQ(platform->CommandLineArguments(), "/p 4321");
    EXPECT_EQ(platform->LocalClock().Now(), (LocalTime{1, 59, 57}));

    // A malformed demonstration time leaves the real clock.
    const auto real = MakePlatform(L"tavrino.exe", "1:59:57");
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const LocalTime now = real->LocalClock().Now();
    const int seconds = now.hour * 3600 + now.minute * 60 + now.second;
    const int expected = before.wHour * 3600 + before.wMinute * 60 + before.wSecond;
    EXPECT_LE(std::abs(seconds - expected) % (24 * 3600 - 2), 2);
}

TEST_F(PlatformTest, SettingsRoundTripThroughTheRegistry) {
    const auto platform = MakePlatform();
    EXPECT_EQ(platform->ReadSetting("Quenmark", "Tavrino", "WinLeft", "32"), "32");
    EXPECT_TRUE(platform->WriteSetting("Quenmark", "Tavrino", "WinLeft", "-17"));
    EXPECT_EQ(platform->ReadSetting("Quenmark", "Tavrino", "WinLeft", "32"), "-17");
}

TEST_F(PlatformTest, DoEventsDispatchesWhatIsQueuedAndKeepsAQuit) {
    const auto platform = MakePlatform();
    int seen = 0;
    class Counter final : public MainFormEvents {
      public:
        explicit Counter(int& n) : n_(n) {}
        void OnLoad() override {}
        void OnTimer() override {}
        void OnGotFocus() override {}
        void OnResize() override {}
        void OnKeyDown(int, int) override { ++n_; }
        void OnClick() override {}
        void OnMouseMove(int, int, float, float) override {}
        void OnClose() override {}
        void OnHostGone() override {}

      private:
        int& n_;
    } counter(seen);
    platform->SetMainFormEvents(counter);
    PostMessageW(platform->Main().Window(), WM_KEYDOWN, VK_F2, 0);
    PostMessageW(platform->Main().Window(), WM_KEYDOWN, VK_F3, 0);
    platform->DoEvents();
    EXPECT_EQ(seen, 2);

    PostQuitMessage(3);
    platform->DoEvents();
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

// The dialog may be unloaded from inside its own close handling; the window goes when the
// message loop is back at its top.
TEST_F(PlatformTest, UnloadingTheDialogFromItsOwnCloseIsSafe) {
    const auto platform = MakePlatform();
    class Closer final : public SettingsFormEvents {
      public:
        Win32Platform* platform = nullptr;
        int closes = 0;
        void OnActivate() override {}
        void OnDeactivate() override {}
        void OnLostFocus() override {}
        void OnClose() override {
            ++closes;
            platform->UnloadSettingsForm();
        }
        void OnOkClick() override {}
        void OnCheckBoxClick(CheckBoxId) override {}
        void OnSliderChange(std::int16_t) override {}
        void OnSliderScroll(std::int16_t) override {}
        void OnImageClick() override {}
    } closer;
    closer.platform = platform.get();
    SettingsForm& form = platform->LoadSettingsForm(closer);
    const auto dialog = reinterpret_cast<HWND>(form.Handle());
    form.Show();
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(closer.closes, 1);
    EXPECT_EQ(platform->LoadedSettingsDialog(), nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));

    PostQuitMessage(0);
    EXPECT_EQ(platform->RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(dialog));
}

// The logic behind the platform's windows; once it is gone, any event reaching it is counted.
class GoneAfterwards final : public MainFormEvents, public SettingsFormEvents {
  public:
    bool gone = false;
    int afterGone = 0;

    void OnLoad() override { Note(); }
    void OnTimer() override { Note(); }
    void OnGotFocus() override { Note(); }
    void OnResize() override { Note(); }
    void OnKeyDown(int, int) override { Note(); }
    void OnClick() override { Note(); }
    void OnMouseMove(int, int, float, float) override { Note(); }
    void OnClose() override { Note(); }
    void OnHostGone() override { Note(); }
    void OnActivate() override { Note(); }
    void OnDeactivate() override { Note(); }
    void OnLostFocus() override { Note(); }
    void OnOkClick() override { Note(); }
    void OnCheckBoxClick(CheckBoxId) override { Note(); }
    void OnSliderChange(std::int16_t) override { Note(); }
    void OnSliderScroll(std::int16_t) override { Note(); }
    void OnImageClick() override { Note(); }

  private:
    void Note() { afterGone += gone ? 1 : 0; }
};

// When the message loop returns, the program's logic goes before the platform: tearing the open
// dialog down hands the activation to the clock window, which must not report it any more.
TEST_F(PlatformTest, TearingDownAfterTheLogicRaisesNoEvent) {
    GoneAfterwards logic;
    auto platform = MakePlatform();
    platform->SetMainFormEvents(logic);
    platform->Main().Show();
    SettingsForm& dialog = platform->LoadSettingsForm(logic);
    dialog.Show();
    dialog.SetFocus();
    platform->DoEvents();
    ASSERT_EQ(GetActiveWindow(), reinterpret_cast<HWND>(dialog.Handle()));

    logic.gone = true;
    platform.reset();
    EXPECT_EQ(logic.afterGone, 0);
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// F1 on the desktop clock opens the dialog in the topmost band, still without a taskbar button,
// and it stays there while the program runs on; OK takes it away and F1 brings it back.
TEST_F(PlatformTest, F1OpensTheDialogTopmost) {
    const auto platform = MakePlatform();
    Program program(*platform);
    program.MainWindow().OnLoad();
    const HWND clock = platform->Main().Window();
    for (int opening = 0; opening < 2; ++opening) {
        SetActiveWindow(clock);
        PostMessageW(clock, WM_KEYDOWN, VK_F1, 0);
        platform->DoEvents();
        ASSERT_NE(platform->LoadedSettingsDialog(), nullptr);
        const auto dialog = reinterpret_cast<HWND>(platform->LoadedSettingsDialog()->Handle());
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(IsTopmost(dialog)) << "opening " << opening;
        EXPECT_FALSE(IsTopmost(clock));  // the clock keeps its own band
        for (int pass = 0; pass < 5; ++pass) {
            Sleep(20);
            platform->DoEvents();
        }
        EXPECT_TRUE(IsTopmost(dialog)) << "opening " << opening;
        EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
        const HWND owner = GetWindow(dialog, GW_OWNER);
        EXPECT_NE(owner, nullptr);
        EXPECT_FALSE(IsWindowVisible(owner));
        PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
        platform->DoEvents();
        EXPECT_FALSE(IsWindowVisible(dialog));
    }
    PostMessageW(clock, WM_KEYDOWN, VK_ESCAPE, 0);
    platform->DoEvents();
    EXPECT_EQ(ends, 1);
}

// The slider keeps the keyboard while it changes the clock's translucency: refreshing the clock's
// frame activates the clock, and the dialog takes the activation back with the focus where it was.
TEST_F(PlatformTest, TheSliderKeepsTheKeyboardWhileItChangesTheTranslucency) {
    const auto platform = MakePlatform();
    Program program(*platform);
    program.MainWindow().OnLoad();
    const HWND clock = platform->Main().Window();
    SetActiveWindow(clock);
    PostMessageW(clock, WM_KEYDOWN, VK_F1, 0);
    platform->DoEvents();
    ASSERT_NE(platform->LoadedSettingsDialog(), nullptr);
    const HWND dialog = reinterpret_cast<HWND>(platform->LoadedSettingsDialog()->Handle());
    const HWND slider = platform->LoadedSettingsDialog()->Control(kIdHSTVal);
    SetFocus(slider);
    const LRESULT start = SendMessageW(slider, TBM_GETPOS, 0, 0);
    for (int key = 1; key <= 3; ++key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RIGHT, 0);
        for (int pass = 0; pass < 3; ++pass) {
            platform->DoEvents();
            Sleep(20);
        }
        EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), start + key);
        EXPECT_EQ(GetActiveWindow(), dialog) << "key " << key;
        EXPECT_EQ(GetFocus(), slider) << "key " << key;
    }
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(clock, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 255 - (start + 3));
    PostMessageW(clock, WM_KEYDOWN, VK_ESCAPE, 0);
    platform->DoEvents();
}

// A whole desktop run on a fresh store: the clock opens at 32, 32 with 256 x 256 pixels, ticks
// ten thousand times without its windows or bitmaps growing, and Esc ends it with the rectangle
// saved.
TEST_F(PlatformTest, ADesktopRunOpensTicksAndClosesWithEsc) {
    const auto platform = MakePlatform(L"tavrino.exe", "12:34:56+");
    Program program(*platform);
    program.MainWindow().OnLoad();
    const HWND window = platform->Main().Window();
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 32);
    EXPECT_EQ(r.top, 32);
    EXPECT_EQ(r.right - r.left, 256);
    EXPECT_EQ(r.bottom - r.top, 256);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    // The clock's own arrow from the program's art, not the system's.
    const HCURSOR arrow = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_CLOCK_ARROW));
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)), arrow);
    // The program's icon, each size from its own image, for a taskbar button of the clock.
    for (const auto& [index, size] :
         {std::pair{GCLP_HICON, SM_CXICON}, std::pair{GCLP_HICONSM, SM_CXSMICON}}) {
        ICONINFO icon{};
        EXPECT_TRUE(GetIconInfo(reinterpret_cast<HICON>(GetClassLongPtrW(window, index)), &icon));
        BITMAP colour{};
        GetObjectW(icon.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, GetSystemMetrics(size));
        DeleteObject(icon.hbmColor);
        DeleteObject(icon.hbmMask);
    }

    // The face is on screen: the digits' and the ring's dots light some pixels.
    const DibSection& shown = platform->Main().Pic1().Shown();
    RECT client{};
    GetClientRect(window, &client);
    ASSERT_EQ(shown.Width(), client.right);
    int lit = 0;
    for (int y = 0; y < shown.Height(); ++y) {
        for (int x = 0; x < shown.Width(); ++x) {
            lit += (shown.At(x, y) & 0x00F0F0F0u) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 500);

    MainFormEvents& events = program.MainWindow();
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const int windowsBefore = WindowsOfThisThread();
    for (int tick = 0; tick < 10000; ++tick) {
        events.OnTimer();
        if (tick % 10 == 0) {
            events.OnGotFocus();  // a full repaint, presented and painted
        }
        platform->DoEvents();
    }
    // Wine answers 0 for both counts; on Windows they are the process's real object counts.
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);
    EXPECT_EQ(WindowsOfThisThread(), windowsBefore);
    EXPECT_EQ(shown.BitmapsMade(), 1);

    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    platform->DoEvents();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(platform->ReadSetting("Quenmark", "Tavrino", "WinLeft", ""), "32");
    EXPECT_EQ(platform->ReadSetting("Quenmark", "Tavrino", "WinTop", ""), "32");
    EXPECT_EQ(platform->ReadSetting("Quenmark", "Tavrino", "WinWidth", ""), "256");
    EXPECT_EQ(platform->ReadSetting("Quenmark", "Tavrino", "WinHeight", ""), "256");
}

}  // namespace
}  // namespace tavrino::win32
