#include "win32/WindowClass.h"

#include "win32/ResourceIds.h"

namespace tavrino::win32 {

void RegisterWindowClass(HINSTANCE instance, const WindowClassDescription& description) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, description.name, &existing) != FALSE) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = description.procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = description.cursor;
    windowClass.hbrBackground = description.background;
    windowClass.hIcon = description.icon;
    windowClass.hIconSm = description.smallIcon;
    windowClass.lpszClassName = description.name;
    RegisterClassExW(&windowClass);
}

HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVRINO), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

HCURSOR ProgramPointer(HINSTANCE instance, int id, const wchar_t* fallback) {
    const HCURSOR own = LoadCursorW(instance, MAKEINTRESOURCEW(id));
    return own != nullptr ? own : LoadCursorW(nullptr, fallback);
}

HWND CreateHiddenOwner(HINSTANCE instance) {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}

}  // namespace tavrino::win32
