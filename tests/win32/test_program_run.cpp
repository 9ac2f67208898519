// The real program on the Windows frontend, as WinMain puts them together: a desktop run with its
// ten thousand ticks, the clock moved to a monitor of another scale, the settings dialog opened
// with F1, and its slider changing the clock's translucency while it keeps the keyboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "clockface/Tavrino.h"
#include "clockface/TimeOverride.h"
#include "program/Program.h"
#include "surface/ImageSurface.h"
#include "surface/RasterSurface.h"
#include "win32/WindowsFrontend.h"

namespace tavrino::win32 {
namespace {

constexpr wchar_t kTestBase[] = L"Software\\TavrinoProgramRunTest";

int WindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
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

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// One run of the program on a registry key of its own, with the end of the process recorded.
class ProgramRunTest : public testing::Test {
  protected:
    int ends = 0;
    std::unique_ptr<WindowsFrontend> frontend;
    std::unique_ptr<Frontend> parts;
    std::unique_ptr<RasterSurface> faceSurface;
    std::unique_ptr<Program> program;

    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestBase); }
    void TearDown() override {
        program.reset();
        faceSurface.reset();
        parts.reset();
        frontend.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestBase);
    }

    void Start(std::string time = "12:34:56") {
        FrontendOptions options;
        options.registryBase = kTestBase;
        options.timeOverride = std::move(time);
        options.process.endProcess = [this] { ++ends; };
        frontend = std::make_unique<WindowsFrontend>(GetModuleHandleW(nullptr), std::move(options));
        parts = std::make_unique<Frontend>(frontend->Parts());
        faceSurface = std::make_unique<RasterSurface>(frontend->Clock().FaceCanvas());
        program = std::make_unique<Program>(*parts, *faceSurface);
        frontend->Connect(program->ClockEvents(), program->TickEvents());
        program->Start(StartRequest{});
    }

    HWND Clock() const { return frontend->Clock().Handle(); }
    void RunPending() { parts->process.RunPendingEvents(); }

    // F1 on the clock, as the user presses it; the dialog it opens.
    HWND OpenDialogWithF1() {
        SetActiveWindow(Clock());
        PostMessageW(Clock(), WM_KEYDOWN, VK_F1, 0);
        RunPending();
        SettingsDialog* dialog = frontend->Dialogs().Current();
        return dialog != nullptr ? dialog->Handle() : nullptr;
    }
};

// A whole desktop run on a fresh store: the clock opens at 32, 32 with 256 x 256 pixels and shows
// the face, ticks ten thousand times without its windows or bitmaps growing, and Esc ends it
// with the rectangle saved.
TEST_F(ProgramRunTest, ADesktopRunOpensTicksAndClosesWithEsc) {
    Start("12:34:56+");
    EXPECT_EQ(frontend->Clock().Rect(), (PixelRect{32, 32, 288, 288}));
    EXPECT_TRUE(IsWindowVisible(Clock()));
    EXPECT_EQ(GetWindowLongPtrW(Clock(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongPtrW(Clock(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

    // The face is on screen: the digits' and the ring's dots light some pixels.
    const ImageBuffer shown = frontend->Clock().FaceCanvas().Pixels();
    RECT client{};
    GetClientRect(Clock(), &client);
    ASSERT_EQ(shown.width, client.right);
    int lit = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            lit += (shown.pixels[y * shown.stride + x] & 0x00F0F0F0u) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 500);

    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const int windowsBefore = WindowsOfThisThread();
    for (int tick = 0; tick < 10000; ++tick) {
        program->TickEvents().OnTick();
        if (tick % 10 == 0) {
            program->ClockEvents().OnFocus();  // a full repaint, presented and painted
        }
        RunPending();
    }
    // Wine answers 0 for both counts; on Windows they are the process's real object counts.
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);
    EXPECT_EQ(WindowsOfThisThread(), windowsBefore);
    EXPECT_EQ(frontend->Clock().FaceCanvas().Pixels().pixels, shown.pixels);  // the same bitmap

    PostMessageW(Clock(), WM_KEYDOWN, VK_ESCAPE, 0);
    RunPending();
    EXPECT_EQ(ends, 1);
    SettingsStore& store = parts->store;
    EXPECT_EQ(store.Read("WinLeft"), "32");
    EXPECT_EQ(store.Read("WinTop"), "32");
    EXPECT_EQ(store.Read("WinWidth"), "256");
    EXPECT_EQ(store.Read("WinHeight"), "256");
}

// Moved to a monitor of 150 %, the clock takes the rectangle the system suggests, and the face is
// drawn anew at the new client size: pixel for pixel the face drawn at that size, not the old
// one stretched.
TEST_F(ProgramRunTest, OnAMonitorOfAnotherScaleTheClockTakesTheSuggestedRectangle) {
    Start("12:34:56");
    RECT suggested{48, 40, 48 + 384, 40 + 300};
    SendMessageW(Clock(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RunPending();
    EXPECT_EQ(frontend->Clock().Rect(), (PixelRect{48, 40, 432, 340}));

    RECT client{};
    GetClientRect(Clock(), &client);
    const ImageBuffer shown = frontend->Clock().FaceCanvas().Pixels();
    ASSERT_EQ(shown.width, client.right);
    ASSERT_EQ(shown.height, client.bottom);
    ASSERT_GT(shown.width, 256);
    TimeOverride time(TimeOverrideSetting{.start = LocalTime{12, 34, 56}});
    ImageSurface expected(shown.width, shown.height);
    Tavrino face(time);
    face.InitClock(expected);  // blue digits, as on a fresh store
    face.DrawClock(Redraw::Everything);
    const PixmapView image = expected.Image();
    int differing = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const std::uint32_t pixel = shown.pixels[y * shown.stride + x] & 0x00FFFFFFu;
            differing += pixel != image.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    PostMessageW(Clock(), WM_KEYDOWN, VK_ESCAPE, 0);
    RunPending();
}

// F1 on the desktop clock opens the dialog in the topmost band, still without a taskbar button,
// and it stays there while the program runs on; OK takes it away and F1 brings it back.
TEST_F(ProgramRunTest, F1OpensTheDialogTopmost) {
    Start();
    for (int opening = 0; opening < 2; ++opening) {
        const HWND dialog = OpenDialogWithF1();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(IsTopmost(dialog)) << "opening " << opening;
        EXPECT_FALSE(IsTopmost(Clock()));  // the clock keeps its own band
        for (int pass = 0; pass < 5; ++pass) {
            Sleep(20);
            RunPending();
        }
        EXPECT_TRUE(IsTopmost(dialog)) << "opening " << opening;
        EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
        const HWND owner = GetWindow(dialog, GW_OWNER);
        EXPECT_NE(owner, nullptr);
        EXPECT_FALSE(IsWindowVisible(owner));
        PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
        RunPending();
        EXPECT_FALSE(IsWindowVisible(dialog));
    }
    PostMessageW(Clock(), WM_KEYDOWN, VK_ESCAPE, 0);
    RunPending();
    EXPECT_EQ(ends, 1);
}

// The slider keeps the keyboard while it changes the clock's translucency: refreshing the clock's
// frame activates the clock, and the dialog takes the activation back with the focus where it was.
TEST_F(ProgramRunTest, TheSliderKeepsTheKeyboardWhileItChangesTheTranslucency) {
    Start();
    const HWND dialog = OpenDialogWithF1();
    ASSERT_NE(dialog, nullptr);
    const HWND slider = frontend->Dialogs().Current()->Control(DialogControl::TranslucencySlider);
    SetFocus(slider);
    const LRESULT start = SendMessageW(slider, TBM_GETPOS, 0, 0);
    for (int key = 1; key <= 3; ++key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RIGHT, 0);
        for (int pass = 0; pass < 3; ++pass) {
            RunPending();
            Sleep(20);
        }
        EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), start + key);
        EXPECT_EQ(GetActiveWindow(), dialog) << "key " << key;
        EXPECT_EQ(GetFocus(), slider) << "key " << key;
    }
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(Clock(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 255 - (start + 3));
    PostMessageW(Clock(), WM_KEYDOWN, VK_ESCAPE, 0);
    RunPending();
}

}  // namespace
}  // namespace tavrino::win32
