#include "win32/MainWindow.h"

#include "win32/ResourceIds.h"
#include "win32/WindowClass.h"

namespace tavrino::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TavrinoClock";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimerIntervalMs = 250;
// Sizable border and a caption (which the load event removes); no minimise or maximise button.
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr int kInitialPixels = 320;  // the load event sets the real rectangle

constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;
constexpr LPARAM kAltContextBit = LPARAM{1} << 29;

bool KeyIsDown(int key) {
    return GetKeyState(key) < 0;
}

int ShiftMask(bool alt) {
    return (KeyIsDown(VK_SHIFT) ? kShiftMask : 0) | (KeyIsDown(VK_CONTROL) ? kCtrlMask : 0) |
           (alt ? kAltMask : 0);
}

int ButtonMask(WPARAM buttons) {
    return ((buttons & MK_LBUTTON) != 0 ? 1 : 0) | ((buttons & MK_RBUTTON) != 0 ? 2 : 0) |
           ((buttons & MK_MBUTTON) != 0 ? 4 : 0);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, float twipsPerPixelX, float twipsPerPixelY)
    : BasicWindowForm<Form>(twipsPerPixelX, twipsPerPixelY) {
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
    pic1_ = std::make_unique<PictureWindow>(instance, window_.Get(), arrow, twipsPerPixelX,
                                            twipsPerPixelY);
}

MainWindow::~MainWindow() {
    Destroy();
}

void MainWindow::Destroy() {
    destroying_ = true;
    Detach();
    pic1_.reset();
    window_.Reset();
    owner_.Reset();
}

void MainWindow::SetTimerEnabled(bool enabled) {
    if (enabled) {
        SetTimer(window_.Get(), kTimer1, kTimerIntervalMs, nullptr);
    } else {
        KillTimer(window_.Get(), kTimer1);
    }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = ObjectOf<MainWindow>(window, message, lParam);
    return self != nullptr ? self->OnMessage(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (events_ == nullptr && message != WM_DESTROY && message != WM_GETMINMAXINFO) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimer1) {
                events_->OnTimer();
            }
            return 0;
        case WM_SETFOCUS:
            events_->OnGotFocus();
            return 0;
        case WM_SIZE:
            events_->OnResize();
            return 0;
        case WM_GETMINMAXINFO:
            // Any size: the clock's own rule keeps the desktop window at 32 pixels or more.
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{1, 1};
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKeyDown(wParam, lParam, message == WM_SYSKEYDOWN)) {
                return 0;
            }
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown();
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp();
            return 0;
        case WM_CLOSE:
            events_->OnClose();
            return 0;
        case WM_ENDSESSION:
            // The session ends (log off, shut down): the system closes the window, and the
            // clock saves its rectangle and options before the process is ended.
            if (wParam != FALSE) {
                events_->OnClose();
            }
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Every key goes to the clock, Alt+F4 included: the clock decides what closes it. Other system
// keys go on to the system as well (the window menu).
bool MainWindow::OnKeyDown(WPARAM key, LPARAM flags, bool systemKey) {
    const bool alt = KeyIsDown(VK_MENU) || (systemKey && (flags & kAltContextBit) != 0);
    events_->OnKeyDown(static_cast<int>(key), ShiftMask(alt));
    return !systemKey || key == VK_F4;
}

void MainWindow::OnMouseMove(WPARAM buttons, LPARAM position) {
    const auto x = static_cast<short>(LOWORD(position));
    const auto y = static_cast<short>(HIWORD(position));
    events_->OnMouseMove(ButtonMask(buttons), ShiftMask(KeyIsDown(VK_MENU)), Twips().ToTwipsX(x),
                         Twips().ToTwipsY(y));
}

// A click is a press and a release of the left button on the window; the capture in between
// keeps a drag going when the pointer runs ahead of the window.
void MainWindow::OnLeftButtonDown() {
    SetCapture(window_.Get());
}

void MainWindow::OnLeftButtonUp() {
    if (GetCapture() != window_.Get()) {
        return;
    }
    ReleaseCapture();
    events_->OnClick();
}

// Destroyed by anyone but ourselves: the preview host destroyed its window and ours with it.
void MainWindow::OnDestroy() {
    if (destroying_) {
        return;
    }
    destroying_ = true;
    RestoreClassBackground();
    window_.Release();
    if (events_ != nullptr) {
        events_->OnHostGone();
    }
}

}  // namespace tavrino::win32
