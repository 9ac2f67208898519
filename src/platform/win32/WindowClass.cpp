#include "platform/win32/WindowClass.h"

#include "platform/win32/ResourceIds.h"

namespace tavrino::win32 {

void RegisterWindowClass(HINSTANCE instance, const WindowClassSpec& spec) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, spec.name, &existing) != FALSE) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = spec.procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = spec.cursor;
    windowClass.hbrBackground = spec.background;
    windowClass.hIcon = spec.icon;
    windowClass.hIconSm = spec.smallIcon;
    windowClass.lpszClassName = spec.name;
    RegisterClassExW(&windowClass);
}

HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVRINO), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

}  // namespace tavrino::win32
