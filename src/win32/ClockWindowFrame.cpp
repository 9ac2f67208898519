// The clock window's state, frame, band, translucency, embedding and pointer. Each request
// ignores the results of the calls it makes: a failing call leaves the window as it was.
#include "win32/ClockWindow.h"

#include <array>

namespace tavrino::win32 {

namespace {

constexpr int kMaxAmount = 255;
constexpr LONG kCaptionMask = static_cast<LONG>(0xFF3FFFFF);  // clears WS_BORDER | WS_DLGFRAME

// The band along the edges that resizes the window: the width of Windows 10's sizing border
// (sizing frame and padding) at 96 DPI.
constexpr int kResizeBandAt96Dpi = 8;
constexpr int kBaseDpi = 96;

// What the pointer is over, by column (left band, middle, right band) within each row.
constexpr std::array<std::array<LRESULT, 3>, 3> kEdges{{
    {HTTOPLEFT, HTTOP, HTTOPRIGHT},
    {HTLEFT, HTCLIENT, HTRIGHT},
    {HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT},
}};

// 0 in the band before the start, 2 in the band before the end, 1 between.
std::size_t BandOf(int position, int start, int end, int band) {
    if (position < start + band) {
        return 0;
    }
    return position >= end - band ? 2 : 1;
}

// The window's DPI where the system tells it (Windows 10 1607 and later), else the system's.
UINT WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (found != nullptr) {
        // Through the generic function type, which converts to any other without a warning.
        const auto getDpi =
            reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(found));
        if (const UINT dpi = getDpi(window); dpi != 0) {
            return dpi;
        }
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

LRESULT EdgeAt(HWND window, LPARAM position) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int band = MulDiv(kResizeBandAt96Dpi, static_cast<int>(WindowDpi(window)), kBaseDpi);
    const int x = static_cast<short>(LOWORD(position));
    const int y = static_cast<short>(HIWORD(position));
    return kEdges[BandOf(y, rect.top, rect.bottom, band)][BandOf(x, rect.left, rect.right, band)];
}

}  // namespace

// Without a title bar the window draws no frame of its own (Windows 10 and 11 would show a light
// strip along the top of a sizing border): the client area covers the whole window, and the band
// along a sizable window's edges resizes it as that border did.
std::optional<LRESULT> ClockWindow::FrameAnswer(HWND window, UINT message, LPARAM lParam) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & WS_CAPTION) == WS_CAPTION) {
        return std::nullopt;
    }
    switch (message) {
        case WM_NCCALCSIZE:
            return 0;  // the client area keeps the window's rectangle
        case WM_NCHITTEST:
            if ((style & WS_THICKFRAME) == 0 || IsZoomed(window) != FALSE) {
                return std::nullopt;
            }
            return EdgeAt(window, lParam);
        default:
            return std::nullopt;
    }
}

void ClockWindow::Show() {
    ShowWindow(Hwnd(), restorePending_ ? SW_SHOWNORMAL : SW_SHOW);
    restorePending_ = false;
}

WindowState ClockWindow::State() const {
    if (restorePending_ && !Visible()) {
        return WindowState::Normal;
    }
    if (IsIconic(Hwnd())) {
        return WindowState::Minimised;
    }
    return IsZoomed(Hwnd()) ? WindowState::Maximised : WindowState::Normal;
}

// Restoring a hidden window must not show it: the restore waits for Show.
void ClockWindow::Restore() {
    if (!Visible()) {
        restorePending_ = true;
        return;
    }
    restorePending_ = false;
    if (State() != WindowState::Normal) {
        ShowWindow(Hwnd(), SW_SHOWNORMAL);
    }
}

// The client area takes the whole window at once.
void ClockWindow::HideTitleBar() {
    SetWindowLongA(Hwnd(), GWL_STYLE, GetWindowLongA(Hwnd(), GWL_STYLE) & kCaptionMask);
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | kKeepOrderAndActivation);
}

void ClockWindow::RemoveBorder() {
    constexpr LONG_PTR kFrameStyles = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;
    constexpr LONG_PTR kFrameExStyles =
        WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE;
    const HWND window = Hwnd();
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~kFrameStyles);
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) & ~kFrameExStyles);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | kKeepOrderAndActivation);
}

// The window is hidden around the style change so that the taskbar picks it up; a hidden window
// stays hidden.
void ClockWindow::ShowTaskbarButton(bool show) {
    const HWND window = Hwnd();
    const bool wasVisible = IsWindowVisible(window) != FALSE;
    ShowWindow(window, SW_HIDE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    const LONG appWindow = WS_EX_APPWINDOW;
    SetWindowLongA(window, GWL_EXSTYLE, show ? exStyle | appWindow : exStyle & ~appWindow);
    if (wasVisible) {
        // Shown again without taking the activation from the settings dialog that asked.
        ShowWindow(window, SW_SHOWNA);
    }
}

bool ClockWindow::TranslucencyAvailable() const {
    return osVersion_.LayeredWindowsAvailable();
}

// Alpha 255 - amount through the layered-window facility. WS_EX_LAYERED is set by the first call
// and stays; each fade step and slider move then only changes the alpha, which neither moves the
// window in the Z-order nor activates it.
void ClockWindow::SetTranslucency(int amount) {
    if (amount < 0 || amount > kMaxAmount) {
        return;
    }
    const HWND window = Hwnd();
    const auto alpha = static_cast<BYTE>(kMaxAmount - amount);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) == 0) {
        SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    }
    SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
}

// The host becomes parent and owner; the clock fills its client area and is shown without
// taking the activation from it. It tells the host nothing of its own end, which must not wait
// for a host that hung.
PixelRect ClockWindow::ScreenRect() const {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

bool ClockWindow::AttachToHost(HostWindowId host) {
    const HWND hostWindow = HostWindowHandle(host);
    if (host == 0 || IsWindow(hostWindow) == FALSE) {
        return false;
    }
    RECT hostRect{};
    GetClientRect(hostWindow, &hostRect);
    const HWND window = Hwnd();
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CHILD);
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_NOPARENTNOTIFY);
    SetParent(window, hostWindow);
    // A 64-bit handle needs the pointer-sized variant.
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hostWindow));
    SetWindowPos(window, HWND_TOP, 0, 0, hostRect.right, hostRect.bottom,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    WatchHost(hostWindow);
    return true;
}

// The system keeps a display counter; hiding at most once and showing only after hiding leaves
// it at most one step below where the program found it, whatever the order of the requests.
void ClockWindow::SetPointerVisible(bool visible) {
    const bool hide = !visible;
    if (hide == pointerHidden_) {
        return;
    }
    pointerHidden_ = hide;
    ShowCursor(visible ? TRUE : FALSE);
}

}  // namespace tavrino::win32
