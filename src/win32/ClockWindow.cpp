#include "win32/ClockWindow.h"

#include "win32/ResourceIds.h"
#include "win32/WindowClass.h"

namespace tavrino::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TavrinoClock";
// Sizable border and a caption (which the program removes); no minimise or maximise button.
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr int kInitialPixels = 320;  // the program sets the real rectangle

// How often an embedded clock checks that its host is still there.
constexpr UINT_PTR kHostWatchTimer = 1;
constexpr UINT kHostWatchMs = 250;

constexpr LPARAM kAltContextBit = LPARAM{1} << 29;
constexpr LPARAM kRepeatBit = LPARAM{1} << 30;

bool KeyIsDown(int key) {
    return GetKeyState(key) < 0;
}

Key KeyOf(WPARAM key) {
    switch (key) {
        case VK_ESCAPE:
            return Key::Escape;
        case VK_F1:
            return Key::F1;
        case VK_F4:
            return Key::F4;
        default:
            return Key::Other;
    }
}

}  // namespace

ClockWindow::ClockWindow(HINSTANCE instance) {
    const HCURSOR arrow = ProgramPointer(instance, IDC_CLOCK_ARROW, IDC_ARROW);
    // The program's icon for the taskbar button the clock gets when the option asks for one.
    RegisterWindowClass(
        instance, {kClassName, &Procedure, arrow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                   ProgramIcon(instance, SM_CXICON, SM_CYICON),
                   ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON)});
    owner_.Reset(CreateHiddenOwner(instance));
    window_.Reset(CreateWindowExW(0, kClassName, L"", kStyle, 0, 0, kInitialPixels, kInitialPixels,
                                  owner_.Get(), nullptr, instance, this));
    Attach(window_.Get());
    canvas_.ShowIn(window_.Get());
}

ClockWindow::~ClockWindow() {
    Destroy();
}

void ClockWindow::Destroy() {
    destroying_ = true;
    Detach();
    canvas_.ShowIn(nullptr);
    if (hostHung_) {
        window_.Release();
    }
    window_.Reset();
    owner_.Reset();
}

LRESULT CALLBACK ClockWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ClockWindow* self = ObjectOf<ClockWindow>(window, message, lParam);
    if (const std::optional<LRESULT> answer = FrameAnswer(window, message, lParam)) {
        return *answer;
    }
    if (self != nullptr && (self->OnUpkeep(message, wParam, lParam) ||
                            (self->events_ != nullptr && self->OnEvent(message, wParam, lParam)))) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool ClockWindow::OnUpkeep(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            // Anything else, the display's power among it, goes on to the system.
            return declineScreensaverStarts_ && (wParam & 0xFFF0) == SC_SCREENSAVE;
        case WM_PAINT:
            OnPaint();
            return true;
        case WM_SIZE:
            OnSize(lParam);
            return true;
        case WM_DPICHANGED:
            OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
            return true;
        case WM_GETMINMAXINFO:
            // Any size: the clock's own rule keeps the desktop window at 32 pixels or more.
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{1, 1};
            return true;
        case WM_DESTROY:
            OnDestroy();
            return true;
        default:
            return false;
    }
}

bool ClockWindow::OnEvent(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
            events_->OnFocus();
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return OnKeyDown(wParam, lParam, message == WM_SYSKEYDOWN);
        case WM_MOUSEMOVE:
            OnPointerMove(wParam, lParam);
            return true;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(lParam);
            return true;
        case WM_LBUTTONUP:
            OnLeftButtonUp();
            return true;
        case WM_DISPLAYCHANGE:
            events_->OnMonitorsChanged();
            return true;
        case WM_CLOSE:
            events_->OnClose();
            return true;
        case WM_ENDSESSION:
            OnEndSession(wParam);
            return true;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) {
                events_->OnOtherProgramActivated();
            }
            return true;
        default:
            return false;
    }
}

void ClockWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Hwnd(), &paint);
    canvas_.Paint(dc, paint.rcPaint);
    EndPaint(Hwnd(), &paint);
}

// The canvas always has the client area's size; a new one is black until the next drawing.
void ClockWindow::OnSize(LPARAM size) {
    canvas_.Resize(LOWORD(size), HIWORD(size));
    if (events_ != nullptr) {
        events_->OnResize();
    }
}

// The suggested rectangle keeps the window's place and its size in inches on the new monitor;
// the WM_SIZE it brings resizes the canvas and has the face drawn anew, sharp at the new size. A
// window that fills its monitor or all of them (the screensaver) keeps filling them: the
// monitors' pixels stay.
void ClockWindow::OnDpiChanged(const RECT& suggested) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT current{};
    GetWindowRect(Hwnd(), &current);
    const int virtualLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int virtualTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT everyMonitor{virtualLeft, virtualTop,
                            virtualLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            virtualTop + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const bool fillsItsMonitor =
        GetMonitorInfoW(MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST), &monitor) != FALSE &&
        EqualRect(&current, &monitor.rcMonitor) != FALSE;
    if (fillsItsMonitor || EqualRect(&current, &everyMonitor) != FALSE) {
        return;
    }
    SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every key goes to the clock, Alt+F4 included: the clock decides what closes it. Other system
// keys go on to the system as well (the window menu).
bool ClockWindow::OnKeyDown(WPARAM key, LPARAM flags, bool systemKey) {
    KeyPress press;
    press.key = KeyOf(key);
    press.shift = KeyIsDown(VK_SHIFT);
    press.control = KeyIsDown(VK_CONTROL);
    // Alt held with a system key may be known only from the message's context bit.
    press.alt = KeyIsDown(VK_MENU) || (systemKey && (flags & kAltContextBit) != 0);
    press.repeat = (flags & kRepeatBit) != 0;
    events_->OnKey(press);
    return !systemKey || key == VK_F4;
}

void ClockWindow::OnPointerMove(WPARAM buttons, LPARAM position) {
    PointerMove move;
    move.x = static_cast<short>(LOWORD(position));
    move.y = static_cast<short>(HIWORD(position));
    move.left = (buttons & MK_LBUTTON) != 0;
    move.right = (buttons & MK_RBUTTON) != 0;
    move.middle = (buttons & MK_MBUTTON) != 0;
    events_->OnPointerMove(move);
}

// A click is a press and a release of the left button on the window; the capture in between
// keeps a drag going when the pointer runs ahead of the window. Where the button went down is
// where the pointer last was without it: the drag's grab point, even when the move that brought
// the pointer there came before the window had reached its place.
void ClockWindow::OnLeftButtonDown(LPARAM position) {
    OnPointerMove(0, position);
    SetCapture(Hwnd());
}

void ClockWindow::OnLeftButtonUp() {
    if (GetCapture() != Hwnd()) {
        return;
    }
    ReleaseCapture();
    events_->OnClick();
}

// The session ends (log off, shut down): the system closes the window, and the clock saves its
// rectangle and options before the process is ended.
void ClockWindow::OnEndSession(WPARAM ending) {
    if (ending != FALSE) {
        events_->OnClose();
    }
}

// Destroyed by anyone but ourselves: the preview host destroyed its window and ours with it.
void ClockWindow::OnDestroy() {
    if (destroying_) {
        return;
    }
    destroying_ = true;
    Detach();
    canvas_.ShowIn(nullptr);
    window_.Release();
    if (events_ != nullptr) {
        events_->OnHostGone();
    }
}

// The timer runs on the hidden owner, which stays ours: the clock window itself may be gone with a
// host that was killed, and its timers with it, without a word to us (under Wine).
void ClockWindow::WatchHost(HWND host) {
    host_ = host;
    DWORD processId = 0;
    GetWindowThreadProcessId(host, &processId);
    hostProcess_.Reset(OpenProcess(SYNCHRONIZE, FALSE, processId));
    SetWindowLongPtrW(owner_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(owner_.Get(), kHostWatchTimer, kHostWatchMs, &OnHostWatchTimer);
}

void CALLBACK ClockWindow::OnHostWatchTimer(HWND owner, UINT /*message*/, UINT_PTR /*timer*/,
                                            DWORD /*time*/) {
    auto* self = reinterpret_cast<ClockWindow*>(GetWindowLongPtrW(owner, GWLP_USERDATA));
    if (self != nullptr && self->events_ != nullptr) {
        self->OnHostWatch();
    }
}

// A destroyed host window takes ours with it (OnDestroy). A host whose process ended may leave
// our window behind (Wine does), and a hung one never destroys it; the system calls a window hung
// once it has not taken its messages for 5 seconds.
void ClockWindow::OnHostWatch() {
    const bool processEnded =
        hostProcess_ && WaitForSingleObject(hostProcess_.Get(), 0) == WAIT_OBJECT_0;
    const bool gone = processEnded || IsWindow(host_) == FALSE;
    hostHung_ = !gone && IsHungAppWindow(host_) != FALSE;
    if (!gone && !hostHung_) {
        return;
    }
    KillTimer(owner_.Get(), kHostWatchTimer);
    events_->OnHostGone();
}

}  // namespace tavrino::win32
