#include "win32/ClockWindow.h"

#include "win32/ResourceIds.h"
#include "win32/WindowClass.h"

namespace tavrino::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TavrinoClock";
// Sizable border and a caption (which the program removes); no minimise or maximise button.
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr int kInitialPixels = 320;  // the program sets the real rectangle

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

bool ClockWindow::OnUpkeep(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return true;
        case WM_SIZE:
            OnSize(lParam);
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
            OnLeftButtonDown();
            return true;
        case WM_LBUTTONUP:
            OnLeftButtonUp();
            return true;
        case WM_CLOSE:
            events_->OnClose();
            return true;
        case WM_ENDSESSION:
            OnEndSession(wParam);
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
// keeps a drag going when the pointer runs ahead of the window.
void ClockWindow::OnLeftButtonDown() {
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

}  // namespace tavrino::win32
