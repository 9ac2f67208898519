// The clock window as a real window under Wine: its styles, rectangle, state, frame, band,
// taskbar button, translucency and embedding, the canvas its client area shows, and the events
// its messages raise.
#include <gtest/gtest.h>

#include <windows.h>

#include <dwmapi.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "win32/ClockWindow.h"
#include "win32/ResourceIds.h"

namespace tavrino::win32 {
namespace {

class RecordingEvents final : public ClockWindowEvents {
  public:
    int focus = 0;
    int resize = 0;
    int clicks = 0;
    int closes = 0;
    int hostGone = 0;
    int otherProgramActivated = 0;
    std::vector<KeyPress> keys;
    std::vector<PointerMove> moves;

    void OnFocus() override { ++focus; }
    void OnResize() override { ++resize; }
    void OnKey(const KeyPress& key) override { keys.push_back(key); }
    void OnClick() override { ++clicks; }
    void OnPointerMove(const PointerMove& move) override { moves.push_back(move); }
    void OnClose() override { ++closes; }
    void OnHostGone() override { ++hostGone; }
    void OnMonitorsChanged() override {}
    void OnOtherProgramActivated() override { ++otherProgramActivated; }
};

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LONG_PTR Style(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}
LONG_PTR ExStyle(HWND window) {
    return GetWindowLongPtrW(window, GWL_EXSTYLE);
}

RECT ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

BYTE Alpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    return alpha;
}

HWND MakeHost() {
    return CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 160,
                           nullptr, nullptr, nullptr, nullptr);
}

// The display counter of the thread's pointer, read without changing it.
int PointerCounter() {
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

class ClockWindowTest : public testing::Test {
  protected:
    ClockWindow clock{GetModuleHandleW(nullptr)};
    RecordingEvents events;

    HWND Window() const { return clock.Handle(); }

    void SetUp() override {
        ASSERT_NE(Window(), nullptr);
        clock.SetEvents(events);
    }
};

TEST_F(ClockWindowTest, IsCreatedHiddenAsAnOwnedSizableBlackWindowWithoutATaskbarButton) {
    EXPECT_FALSE(clock.Visible());
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_EQ(GetWindow(Window(), GW_OWNER), clock.Owner());
    EXPECT_FALSE(IsWindowVisible(clock.Owner()));
    EXPECT_EQ(ExStyle(Window()) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_LAYERED), 0);
    EXPECT_NE(Style(Window()) & WS_THICKFRAME, 0);
    EXPECT_EQ(Style(Window()) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
    // No child window: pointer input over the face reaches the clock window itself.
    EXPECT_EQ(GetWindow(Window(), GW_CHILD), nullptr);
    EXPECT_EQ(GetClassLongPtrW(Window(), GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetStockObject(BLACK_BRUSH)));
    // The clock's own arrow from the program's art, not the system's.
    const HCURSOR arrow = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_CLOCK_ARROW));
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(Window(), GCLP_HCURSOR)), arrow);
    // The program's icon, each size from its own image, for a taskbar button of the clock.
    for (const auto& [index, size] :
         {std::pair{GCLP_HICON, SM_CXICON}, std::pair{GCLP_HICONSM, SM_CXSMICON}}) {
        ICONINFO icon{};
        EXPECT_TRUE(GetIconInfo(reinterpret_cast<HICON>(GetClassLongPtrW(Window(), index)), &icon));
        BITMAP colour{};
        GetObjectW(icon.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, GetSystemMetrics(size));
        DeleteObject(icon.hbmColor);
        DeleteObject(icon.hbmMask);
    }
}

TEST_F(ClockWindowTest, TheRectangleIsTheOuterOneInPixelsAndAnySizeIsAllowed) {
    clock.SetRect({100, 50, 420, 290});
    EXPECT_EQ(clock.Rect(), (PixelRect{100, 50, 420, 290}));
    RECT outer{};
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.bottom, 290);
    const RECT client = ClientRect(Window());
    EXPECT_LT(client.right, 320);
    EXPECT_LT(client.bottom, 240);

    // Far out of sight, and as small as 1 pixel: the clock itself enforces its minimum.
    clock.SetRect({-20000, -20000, -19980, -19999});
    EXPECT_EQ(clock.Rect(), (PixelRect{-20000, -20000, -19980, -19999}));
    EXPECT_GE(events.resize, 1);
}

// A window that fills its monitor, as the screensaver does, keeps filling it when the monitor's
// scale changes; the desktop clock takes the rectangle the system suggests (ProgramRunTest).
TEST_F(ClockWindowTest, OnAScaleChangeAWindowFillingItsMonitorKeepsIt) {
    clock.RemoveBorder();
    const PixelRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    clock.SetRect(screen);
    RECT suggested{0, 0, screen.right * 3 / 2, screen.bottom * 3 / 2};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(clock.Rect(), screen);

    clock.SetRect({10, 10, 210, 210});
    suggested = RECT{10, 10, 310, 310};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(clock.Rect(), (PixelRect{10, 10, 310, 310}));
}

TEST_F(ClockWindowTest, TitleIsUtf8) {
    clock.SetTitle(
        " Tavrino - Gr\xC3\xBC\xC3\x9F"
        "e");
    wchar_t text[64]{};
    GetWindowTextW(Window(), text, 64);
    EXPECT_STREQ(text, L" Tavrino - Gr\u00FC\u00DFe");
}

TEST_F(ClockWindowTest, RestoreReturnsToNormalAndAHiddenWindowWaitsForShow) {
    clock.Show();
    EXPECT_TRUE(clock.Visible());
    ShowWindow(Window(), SW_MAXIMIZE);
    EXPECT_EQ(clock.State(), WindowState::Maximised);
    clock.Restore();
    EXPECT_FALSE(IsZoomed(Window()));
    EXPECT_EQ(clock.State(), WindowState::Normal);
    ShowWindow(Window(), SW_MINIMIZE);
    EXPECT_EQ(clock.State(), WindowState::Minimised);
    clock.Restore();
    EXPECT_FALSE(IsIconic(Window()));

    ShowWindow(Window(), SW_MAXIMIZE);
    clock.Hide();
    clock.Restore();
    EXPECT_FALSE(clock.Visible());
    EXPECT_TRUE(IsZoomed(Window()));
    EXPECT_EQ(clock.State(), WindowState::Normal);
    clock.Show();
    EXPECT_TRUE(clock.Visible());
    EXPECT_FALSE(IsZoomed(Window()));
    EXPECT_EQ(clock.State(), WindowState::Normal);
}

TEST_F(ClockWindowTest, HidingTheTitleBarKeepsTheSizingFrameAndRemovingTheBorderLeavesNone) {
    const LONG before = GetWindowLongW(Window(), GWL_STYLE);
    clock.HideTitleBar();
    const LONG after = GetWindowLongW(Window(), GWL_STYLE);
    EXPECT_EQ(after, before & ~WS_CAPTION);
    EXPECT_NE(after & WS_THICKFRAME, 0);
    clock.HideTitleBar();
    EXPECT_EQ(GetWindowLongW(Window(), GWL_STYLE), after);

    // No frame is drawn: the client area is the whole window, and its edges resize it.
    clock.SetRect({10, 10, 210, 160});
    POINT origin{0, 0};
    ClientToScreen(Window(), &origin);
    EXPECT_EQ(origin.x, 10);
    EXPECT_EQ(origin.y, 10);
    EXPECT_EQ(ClientRect(Window()).right, 200);
    EXPECT_EQ(ClientRect(Window()).bottom, 150);
    const auto hit = [this](int x, int y) {
        return SendMessageW(Window(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
    };
    const std::pair<POINT, LRESULT> edges[] = {
        {{12, 12}, HTTOPLEFT},     {{110, 12}, HTTOP},     {{207, 12}, HTTOPRIGHT},
        {{12, 85}, HTLEFT},        {{110, 85}, HTCLIENT},  {{207, 85}, HTRIGHT},
        {{12, 157}, HTBOTTOMLEFT}, {{110, 157}, HTBOTTOM}, {{207, 157}, HTBOTTOMRIGHT},
        {{30, 30}, HTCLIENT},      {{190, 140}, HTCLIENT},
    };
    for (const auto& [point, edge] : edges) {
        EXPECT_EQ(hit(point.x, point.y), edge) << point.x << "," << point.y;
    }

    clock.RemoveBorder();
    EXPECT_EQ(Style(Window()) & (WS_CAPTION | WS_THICKFRAME), 0);
    const RECT client = ClientRect(Window());
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 150);
    EXPECT_EQ(clock.Rect(), (PixelRect{10, 10, 210, 160}));
    EXPECT_EQ(hit(12, 12), HTCLIENT);
}

TEST_F(ClockWindowTest, TheTaskbarButtonFollowsTheAppWindowBitAndVisibilityIsKept) {
    const LONG_PTR before = ExStyle(Window());
    clock.ShowTaskbarButton(true);
    EXPECT_EQ(ExStyle(Window()), before | WS_EX_APPWINDOW);
    EXPECT_FALSE(IsWindowVisible(Window()));
    clock.ShowTaskbarButton(false);
    EXPECT_EQ(ExStyle(Window()), before);
    EXPECT_FALSE(IsWindowVisible(Window()));

    clock.Show();
    clock.ShowTaskbarButton(true);
    EXPECT_NE(ExStyle(Window()) & WS_EX_APPWINDOW, 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
    clock.ShowTaskbarButton(false);
    EXPECT_EQ(ExStyle(Window()) & WS_EX_APPWINDOW, 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(ClockWindowTest, TranslucencyIsTheComplementAlphaAndKeepsPlaceAndBand) {
    EXPECT_TRUE(clock.TranslucencyAvailable());  // Wine is an NT system of 6.1 or later
    clock.SetTranslucency(256);
    clock.SetTranslucency(-1);
    EXPECT_EQ(ExStyle(Window()) & WS_EX_LAYERED, 0);

    clock.SetRect({40, 50, 260, 230});
    clock.SetOnTop(true);
    const PixelRect placed = clock.Rect();
    // A fade or a slider move in the dialog leaves the activation where it is.
    const HWND other = MakeHost();
    SetActiveWindow(other);
    for (const int amount : {63, 255, 0, 31}) {
        clock.SetTranslucency(amount);
        EXPECT_EQ(Alpha(Window()), 255 - amount);
        EXPECT_NE(ExStyle(Window()) & WS_EX_LAYERED, 0) << amount;  // opaque, but still layered
        EXPECT_NE(ExStyle(Window()) & WS_EX_TOPMOST, 0) << amount;
        EXPECT_EQ(clock.Rect(), placed);
        EXPECT_EQ(GetActiveWindow(), other);
    }
    DestroyWindow(other);
}

TEST_F(ClockWindowTest, AFadeWaitsForEachDisplayedFrame) {
    BOOL composed = FALSE;
    DwmIsCompositionEnabled(&composed);
    constexpr int kFrames = 30;
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < kFrames; ++frame) {
        clock.WaitForNextFrame();
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Without the compositor (as under Wine) frames come at 60 Hz; no display is faster than
    // 360 Hz.
    const auto frame =
        composed != FALSE ? std::chrono::microseconds(2777) : std::chrono::microseconds(16667);
    EXPECT_GE(elapsed, kFrames * frame - std::chrono::milliseconds(2));
    EXPECT_LT(elapsed, std::chrono::seconds(2));
}

TEST_F(ClockWindowTest, OnTopChangesTheBandKeepsThePlaceAndShowsAndActivates) {
    const HWND other = MakeHost();
    SetActiveWindow(other);
    clock.SetRect({40, 50, 260, 230});
    clock.SetOnTop(true);
    EXPECT_NE(ExStyle(Window()) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(GetActiveWindow(), Window());
    EXPECT_EQ(clock.Rect(), (PixelRect{40, 50, 260, 230}));

    SetActiveWindow(other);
    clock.SetOnTop(false);
    EXPECT_EQ(ExStyle(Window()) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetActiveWindow(), Window());
    EXPECT_EQ(clock.Rect(), (PixelRect{40, 50, 260, 230}));
    DestroyWindow(other);
}

TEST_F(ClockWindowTest, AttachedToAHostItFillsItsClientAreaAndReportsItsEnd) {
    const HWND gone = MakeHost();
    DestroyWindow(gone);
    const HWND host = MakeHost();
    SetForegroundWindow(host);
    SetActiveWindow(host);
    ASSERT_EQ(GetActiveWindow(), host);
    EXPECT_FALSE(clock.AttachToHost(0));
    EXPECT_FALSE(clock.AttachToHost(reinterpret_cast<HostWindowId>(gone)));
    EXPECT_EQ(GetParent(Window()), nullptr);
    EXPECT_FALSE(IsWindowVisible(Window()));

    clock.HideTitleBar();
    clock.RemoveBorder();
    ASSERT_TRUE(clock.AttachToHost(reinterpret_cast<HostWindowId>(host)));
    EXPECT_EQ(GetAncestor(Window(), GA_PARENT), host);
    EXPECT_NE(Style(Window()) & WS_CHILD, 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(GetActiveWindow(), host);
    const RECT hostClient = ClientRect(host);
    EXPECT_EQ(clock.Rect(), (PixelRect{0, 0, hostClient.right, hostClient.bottom}));
    EXPECT_EQ(clock.FaceCanvas().Pixels().width, hostClient.right);
    clock.SetRect({5, 6, 55, 66});  // a child's rectangle is in the host's client area
    EXPECT_EQ(clock.Rect(), (PixelRect{5, 6, 55, 66}));

    DestroyWindow(host);
    EXPECT_EQ(events.hostGone, 1);
    EXPECT_EQ(clock.Handle(), nullptr);

    // Our own end is no host's.
    ClockWindow other(GetModuleHandleW(nullptr));
    RecordingEvents otherEvents;
    other.SetEvents(otherEvents);
    other.Destroy();
    EXPECT_EQ(otherEvents.hostGone, 0);
}

TEST_F(ClockWindowTest, TheCanvasHasTheClientSizeAndIsBlackAfterEachChangeOfSize) {
    clock.RemoveBorder();
    clock.SetRect({0, 0, 200, 150});
    ImageBuffer image = clock.FaceCanvas().Pixels();
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.height, 150);
    EXPECT_EQ(image.stride, 200);
    image.pixels[0] = 0xFFFFFFu;
    clock.FaceCanvas().Present({0, 0, 1, 1});
    // Showing the window, a frame change or the same rectangle again keep what was drawn.
    clock.Show();
    clock.SetTranslucency(0);
    clock.SetRect({0, 0, 200, 150});
    EXPECT_EQ(clock.FaceCanvas().Pixels().pixels[0], 0xFFFFFFu);

    clock.SetRect({0, 0, 180, 120});
    image = clock.FaceCanvas().Pixels();
    ASSERT_EQ(image.width, 180);
    ASSERT_EQ(image.height, 120);
    int lit = 0;
    for (int i = 0; i < image.width * image.height; ++i) {
        lit += image.pixels[i] != 0 ? 1 : 0;
    }
    EXPECT_EQ(lit, 0);
}

TEST_F(ClockWindowTest, TheWindowShowsThePresentedPixelsAndRepaintsOnlyWhatChanged) {
    clock.RemoveBorder();
    clock.SetRect({120, 120, 320, 320});
    clock.Show();
    UpdateWindow(Window());
    const ImageBuffer image = clock.FaceCanvas().Pixels();
    ASSERT_EQ(image.width, 200);
    for (int y = 40; y < 60; ++y) {
        for (int x = 40; x < 60; ++x) {
            image.pixels[y * image.stride + x] = 0xFF0000u;               // red, 0x00RRGGBB
            image.pixels[(y + 80) * image.stride + x + 100] = 0x0000FFu;  // blue
        }
    }
    clock.FaceCanvas().Present({140, 120, 160, 140});
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(Window(), &update, FALSE));
    EXPECT_EQ(update.left, 140);
    EXPECT_EQ(update.top, 120);
    EXPECT_EQ(update.right, 160);
    EXPECT_EQ(update.bottom, 140);
    clock.FaceCanvas().Present({-10, -10, 250, 250});  // clipped to the canvas
    ASSERT_TRUE(GetUpdateRect(Window(), &update, FALSE));
    EXPECT_EQ(update.right, 200);
    EXPECT_EQ(update.bottom, 200);

    UpdateWindow(Window());
    const HDC dc = GetDC(Window());
    EXPECT_EQ(GetPixel(dc, 50, 50), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 150, 130), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 100, 10), RGB(0, 0, 0));
    ReleaseDC(Window(), dc);
}

TEST_F(ClockWindowTest, KeysCarryWhichKeyTheModifiersAndRepeats) {
    PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(Window(), WM_KEYDOWN, VK_F1, LPARAM{1} << 30);
    PostMessageW(Window(), WM_SYSKEYDOWN, VK_F4, LPARAM{1} << 29);  // Alt known from the context
    PostMessageW(Window(), WM_KEYDOWN, 'A', 0);
    Pump();
    BYTE keys[256]{};
    GetKeyboardState(keys);
    const BYTE saved[2] = {keys[VK_SHIFT], keys[VK_CONTROL]};
    keys[VK_SHIFT] = 0x80;
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    keys[VK_SHIFT] = saved[0];
    keys[VK_CONTROL] = saved[1];
    SetKeyboardState(keys);

    ASSERT_EQ(events.keys.size(), 5u);
    const auto is = [](const KeyPress& k, Key key, bool shift, bool control, bool alt,
                       bool repeat) {
        return k.key == key && k.shift == shift && k.control == control && k.alt == alt &&
               k.repeat == repeat;
    };
    EXPECT_TRUE(is(events.keys[0], Key::Escape, false, false, false, false));
    EXPECT_TRUE(is(events.keys[1], Key::F1, false, false, false, true));
    EXPECT_TRUE(is(events.keys[2], Key::F4, false, false, true, false));
    EXPECT_TRUE(is(events.keys[3], Key::Other, false, false, false, false));
    EXPECT_TRUE(is(events.keys[4], Key::Escape, true, true, false, false));
}

TEST_F(ClockWindowTest, PointerMovesAreInClientPixelsAndAClickIsPressAndRelease) {
    SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(30, 40));
    SendMessageW(Window(), WM_MOUSEMOVE, MK_MBUTTON | MK_SHIFT, MAKELPARAM(-5, 7));
    ASSERT_EQ(events.moves.size(), 3u);
    EXPECT_EQ(events.moves[0].x, 10);
    EXPECT_EQ(events.moves[0].y, 20);
    EXPECT_TRUE(events.moves[0].NoButton());
    EXPECT_TRUE(events.moves[1].left && events.moves[1].right && !events.moves[1].middle);
    EXPECT_EQ(events.moves[2].x, -5);
    EXPECT_TRUE(events.moves[2].middle && !events.moves[2].left && !events.moves[2].right);

    // A release without a press on the window is no click.
    SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    EXPECT_EQ(events.clicks, 0);
    SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    EXPECT_EQ(events.clicks, 1);
}

TEST_F(ClockWindowTest, ClosingIsLeftToTheClockAndFocusIsReported) {
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_EQ(events.closes, 1);
    // The end of the session closes the clock; a cancelled end does not.
    SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0);
    SendMessageW(Window(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(events.closes, 1);
    SendMessageW(Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(events.closes, 2);

    clock.Show();
    clock.Focus();
    Pump();
    EXPECT_EQ(GetFocus(), Window());
    EXPECT_GE(events.focus, 1);

    clock.DisconnectEvents();
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.closes, 2);
}

TEST_F(ClockWindowTest, ThePointerIsHiddenAtMostOnceAndShownOnlyAfterHiding) {
    const int start = PointerCounter();
    clock.SetPointerVisible(true);
    EXPECT_EQ(PointerCounter(), start);
    clock.SetPointerVisible(false);
    clock.SetPointerVisible(false);
    EXPECT_EQ(PointerCounter(), start - 1);
    clock.SetPointerVisible(true);
    clock.SetPointerVisible(true);
    EXPECT_EQ(PointerCounter(), start);
    clock.SetPointerVisible(false);
    EXPECT_EQ(PointerCounter(), start - 1);
    clock.SetPointerVisible(true);
    EXPECT_EQ(PointerCounter(), start);
}

}  // namespace
}  // namespace tavrino::win32
