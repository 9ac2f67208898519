// frmMain as a real window under the window manager: its styles, Pic1's layout and picture, and
// the messages that become the clock's events.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "win32/MainWindow.h"
#include "win32/WindowServices.h"

namespace tavrino::win32 {
namespace {

constexpr float kTwips = 15;

class RecordingEvents final : public MainFormEvents {
  public:
    std::vector<std::string> seen;

    void OnLoad() override { seen.push_back("Load"); }
    void OnTimer() override { seen.push_back("Timer"); }
    void OnGotFocus() override { seen.push_back("GotFocus"); }
    void OnResize() override { seen.push_back("Resize"); }
    void OnKeyDown(int keyCode, int shift) override {
        seen.push_back("KeyDown(" + std::to_string(keyCode) + "," + std::to_string(shift) + ")");
    }
    void OnClick() override { seen.push_back("Click"); }
    void OnMouseMove(int button, int shift, float x, float y) override {
        seen.push_back("MouseMove(" + std::to_string(button) + "," + std::to_string(shift) + "," +
                       std::to_string(static_cast<int>(x)) + "," +
                       std::to_string(static_cast<int>(y)) + ")");
    }
    void OnClose() override { seen.push_back("Close"); }
    void OnHostGone() override { seen.push_back("HostGone"); }

    int Count(const std::string& entry) const {
        int n = 0;
        for (const auto& s : seen) {
            n += s == entry ? 1 : 0;
        }
        return n;
    }
};

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Lays Pic1 over the client area the way ReSizeAll does.
void CoverClientArea(MainWindow& form) {
    PictureBox& pic1 = form.Pic1();
    pic1.SetWidth(form.ScaleWidth());
    pic1.SetHeight(form.ScaleHeight());
    pic1.SetTop(0);
    pic1.SetLeft(0);
}

class MainWindowTest : public testing::Test {
  protected:
    MainWindow form{GetModuleHandleW(nullptr), kTwips, kTwips};
    RecordingEvents events;

    void SetUp() override {
        ASSERT_NE(form.Window(), nullptr);
        form.SetEvents(events);
    }
};

TEST_F(MainWindowTest, IsCreatedHiddenAsAnOwnedWindowWithoutATaskbarButton) {
    const HWND window = form.Window();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), form.Owner());
    EXPECT_FALSE(IsWindowVisible(form.Owner()));
    const auto style = GetWindowLongPtrW(window, GWL_STYLE);
    const auto exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(exStyle & WS_EX_TOOLWINDOW, 0);  // the taskbar button depends on APPWINDOW alone
    EXPECT_NE(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
    EXPECT_EQ(GetParent(form.Pic1().Window()), window);
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetStockObject(BLACK_BRUSH)));
}

TEST_F(MainWindowTest, Pic1CoversTheClientAreaAfterAResizeAndItsSurfaceFollows) {
    // Before the first layout the box sits where it was designed, 60 twips in, 525 wide.
    EXPECT_EQ(form.Pic1().Left(), 60);
    EXPECT_EQ(form.Pic1().Width(), 525);

    form.Move(100 * kTwips, 100 * kTwips, 256 * kTwips, 256 * kTwips);
    CoverClientArea(form);
    RECT client{};
    GetClientRect(form.Window(), &client);
    RECT box{};
    GetWindowRect(form.Pic1().Window(), &box);
    MapWindowPoints(HWND_DESKTOP, form.Window(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, client.right);
    EXPECT_EQ(box.bottom, client.bottom);
    EXPECT_EQ(form.Pic1().DrawingSurface().InnerWidth(), client.right);
    EXPECT_EQ(form.Pic1().DrawingSurface().InnerHeight(), client.bottom);

    form.SetWidth(180 * kTwips);
    form.SetHeight(120 * kTwips);
    CoverClientArea(form);
    GetClientRect(form.Window(), &client);
    EXPECT_EQ(form.Pic1().Width(), static_cast<float>(client.right) * kTwips);
    EXPECT_EQ(form.Pic1().Height(), static_cast<float>(client.bottom) * kTwips);
    EXPECT_EQ(form.Pic1().DrawingSurface().InnerWidth(), client.right);
    EXPECT_EQ(form.Pic1().DrawingSurface().InnerHeight(), client.bottom);
}

TEST_F(MainWindowTest, TheWindowShowsWhatTheSurfacePresented) {
    form.Move(120 * kTwips, 120 * kTwips, 200 * kTwips, 200 * kTwips);
    form.SetBorderStyleNone();
    CoverClientArea(form);
    form.Show();
    Surface& surface = form.Pic1().DrawingSurface();
    surface.SetFillMode(FillMode::Solid);
    surface.SetFillColour(0x0000FF);  // red
    surface.Circle(50, 50, 20, 0x0000FF);
    surface.SetFillColour(0xFF0000);  // blue
    surface.Circle(150, 120, 20, 0xFF0000);

    // Nothing reaches the window before the surface is presented.
    UpdateWindow(form.Pic1().Window());
    EXPECT_EQ(form.Pic1().Shown().Width(), 0);

    surface.Refresh();
    UpdateWindow(form.Pic1().Window());
    const DibSection& shown = form.Pic1().Shown();
    ASSERT_EQ(shown.Width(), 200);
    ASSERT_EQ(shown.Height(), 200);
    EXPECT_EQ(shown.At(50, 50), 0xFF0000u);  // 0x00RRGGBB
    EXPECT_EQ(shown.At(150, 120), 0x0000FFu);
    EXPECT_EQ(shown.At(100, 10), 0x000000u);

    const WindowDc dc(form.Pic1().Window());
    EXPECT_EQ(GetPixel(dc.Get(), 50, 50), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.Get(), 150, 120), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc.Get(), 100, 10), RGB(0, 0, 0));

    // The DIB section is made again only when the size changes.
    surface.Refresh();
    surface.Refresh();
    EXPECT_EQ(shown.BitmapsMade(), 1);
}

TEST_F(MainWindowTest, PointerInputOverPic1ReachesTheWindow) {
    form.Move(300 * kTwips, 300 * kTwips, 200 * kTwips, 200 * kTwips);
    CoverClientArea(form);
    form.Show();
    POINT overPic1{60, 70};
    ClientToScreen(form.Pic1().Window(), &overPic1);
    EXPECT_EQ(WindowFromPoint(overPic1), form.Window());
}

TEST_F(MainWindowTest, MouseMessagesBecomeMovesInTwipsAndClicks) {
    SendMessageW(form.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    SendMessageW(form.Window(), WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(30, 40));
    SendMessageW(form.Window(), WM_MOUSEMOVE, MK_MBUTTON | MK_SHIFT, MAKELPARAM(-5, 7));
    // A release without a press on the window is no click.
    SendMessageW(form.Window(), WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    SendMessageW(form.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    SendMessageW(form.Window(), WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    ReleaseCapture();
    EXPECT_EQ(events.seen,
              (std::vector<std::string>{"MouseMove(0,0,150,300)", "MouseMove(3,0,450,600)",
                                        "MouseMove(4,0,-75,105)", "Click"}));
}

TEST_F(MainWindowTest, KeysCarryTheirCodeAndShiftMask) {
    PostMessageW(form.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(form.Window(), WM_KEYDOWN, VK_F1, 0);
    PostMessageW(form.Window(), WM_SYSKEYDOWN, VK_F4, LPARAM{1} << 29);
    Pump();
    BYTE keys[256]{};
    GetKeyboardState(keys);
    const BYTE saved[2] = {keys[VK_SHIFT], keys[VK_CONTROL]};
    keys[VK_SHIFT] = 0x80;
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(form.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    keys[VK_SHIFT] = saved[0];
    keys[VK_CONTROL] = saved[1];
    SetKeyboardState(keys);
    EXPECT_EQ(events.seen, (std::vector<std::string>{"KeyDown(27,0)", "KeyDown(112,0)",
                                                     "KeyDown(115,4)", "KeyDown(27,3)"}));
}

TEST_F(MainWindowTest, CloseIsLeftToTheClockAndSizeAndFocusAreReported) {
    SendMessageW(form.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form.Window()));
    EXPECT_EQ(events.Count("Close"), 1);

    form.Move(0, 0, 150 * kTwips, 90 * kTwips);
    EXPECT_GE(events.Count("Resize"), 1);
    // The window may be made as small as 1 pixel: the clock itself enforces its minimum.
    form.SetWidth(20 * kTwips);
    EXPECT_EQ(form.Width(), 20 * kTwips);

    form.Show();
    form.SetFocus();
    Pump();
    EXPECT_EQ(GetFocus(), form.Window());
    EXPECT_GE(events.Count("GotFocus"), 1);
}

TEST_F(MainWindowTest, TheEndOfTheSessionClosesTheClockAndACancelledEndDoesNot) {
    SendMessageW(form.Window(), WM_QUERYENDSESSION, 0, 0);
    SendMessageW(form.Window(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(events.Count("Close"), 0);
    SendMessageW(form.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(events.Count("Close"), 1);
}

TEST_F(MainWindowTest, Timer1TicksEveryQuarterSecondWhileEnabled) {
    form.SetTimerEnabled(true);
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < 800) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
    form.SetTimerEnabled(false);
    const int ticks = events.Count("Timer");
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 4);
    Sleep(300);
    Pump();
    EXPECT_EQ(events.Count("Timer"), ticks);
}

TEST_F(MainWindowTest, ADestroyedPreviewHostIsReportedButOurOwnDestroyIsNot) {
    const HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      200, 160, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    form.SetBorderStyleNone();
    AttachToParent(form.Window(), host, -1);
    EXPECT_EQ(GetParent(form.Window()), host);
    DestroyWindow(host);
    EXPECT_EQ(events.seen.back(), "HostGone");
    EXPECT_EQ(events.Count("HostGone"), 1);

    MainWindow other(GetModuleHandleW(nullptr), kTwips, kTwips);
    RecordingEvents otherEvents;
    other.SetEvents(otherEvents);
    other.Destroy();
    EXPECT_EQ(otherEvents.Count("HostGone"), 0);
}

// The background brush of a clock destroyed with its preview host goes, and the class gets its
// own black brush back instead of keeping a deleted one.
TEST(MainWindowClass, ABackgroundDoesNotOutliveAClockDestroyedWithItsHost) {
    const HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      200, 160, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    RecordingEvents events;
    {
        MainWindow embedded(GetModuleHandleW(nullptr), kTwips, kTwips);
        embedded.SetEvents(events);
        embedded.SetBackColour(RGB(10, 20, 30));
        AttachToParent(embedded.Window(), host, -1);
        DestroyWindow(host);
        ASSERT_EQ(events.Count("HostGone"), 1);
    }
    const MainWindow next(GetModuleHandleW(nullptr), kTwips, kTwips);
    EXPECT_EQ(GetClassLongPtrW(next.Window(), GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace
}  // namespace tavrino::win32
