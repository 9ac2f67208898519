// The plumbing every window of our own shares: registering its class once per process, loading
// the program's icon and pointers, and finding the C++ object behind a window handle. The object is
// passed as the creation parameter and kept in GWLP_USERDATA from WM_NCCREATE to WM_NCDESTROY, so a
// window procedure is a static function that forwards each message to the object's own handler.
#pragma once

#include <windows.h>

namespace tavrino::win32 {

struct WindowClassDescription {
    const wchar_t* name = nullptr;
    WNDPROC procedure = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

// Registers the class unless this process has already done so.
void RegisterWindowClass(HINSTANCE instance, const WindowClassDescription& description);

// The program's icon at the size the system asks for with the two metrics (SM_CXICON and
// SM_CYICON, or SM_CXSMICON and SM_CYSMICON). Shared, so never destroyed; null without one.
HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric);

// The program's pointer with resource identifier id, or the system's pointer fallback (IDC_ARROW,
// IDC_HAND, ...) where the program has none. Shared, so never destroyed.
HCURSOR ProgramPointer(HINSTANCE instance, int id, const wchar_t* fallback);

// A hidden top-level window that owns one of ours: an owned window gets a taskbar button only
// while it has WS_EX_APPWINDOW. Null if it cannot be made.
HWND CreateHiddenOwner(HINSTANCE instance);

// The object behind window, stored on WM_NCCREATE and forgotten on WM_NCDESTROY (the message
// itself still reaches the object). Null before WM_NCCREATE.
template <class T>
T* ObjectOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return object;
}

}  // namespace tavrino::win32
