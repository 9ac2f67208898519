#include "platform/win32/WindowClass.h"

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
    windowClass.lpszClassName = spec.name;
    RegisterClassExW(&windowClass);
}

}  // namespace tavrino::win32
