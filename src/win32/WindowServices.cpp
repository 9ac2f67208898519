#include "win32/WindowServices.h"

#include "win32/TwipsGeometry.h"

namespace tavrino::win32 {

namespace {

constexpr std::int16_t kTrue = -1;
constexpr int kMaxAmount = 255;
constexpr LONG kCaptionMask = static_cast<LONG>(0xFF3FFFFF);  // clears WS_BORDER | WS_DLGFRAME

}  // namespace

void SetTranslucency(HWND window, int amount) {
    if (amount < 0 || amount > kMaxAmount) {
        return;
    }
    const auto alpha = static_cast<BYTE>(kMaxAmount - amount);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
    // Applies the changed extended style; SWP_NOZORDER keeps the topmost state.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOZORDER);
}

void SetAlwaysOnTop(HWND window, std::int16_t onTop) {
    const HWND insertAfter = onTop == kTrue ? HWND_TOPMOST : HWND_NOTOPMOST;
    const RECT rect = OuterRect(window);
    SetWindowPos(window, insertAfter, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW);
}

void SetTaskbarVisibility(HWND window, std::int16_t show) {
    const bool wasVisible = IsWindowVisible(window) != FALSE;
    ShowWindow(window, SW_HIDE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    const LONG appWindow = WS_EX_APPWINDOW;
    SetWindowLongA(window, GWL_EXSTYLE, show != 0 ? exStyle | appWindow : exStyle & ~appWindow);
    if (wasVisible) {
        // Shown again without taking the activation from the settings dialog that asked.
        ShowWindow(window, SW_SHOWNA);
    }
}

void HideTitleBar(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, style & kCaptionMask);
}

void AttachToParent(HWND window, HWND host, std::int16_t fitSize) {
    RECT hostRect{};
    GetClientRect(host, &hostRect);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, style | WS_CHILD);
    SetParent(window, host);
    // The host also becomes the owner. A 64-bit handle needs the pointer-sized variant.
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host));
    SetWindowPos(window, HWND_TOP, 0, 0, hostRect.right, hostRect.bottom,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (fitSize == kTrue) {
        SetWindowPos(window, nullptr, 0, 0, hostRect.right, hostRect.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool IsWindowHandle(std::intptr_t handle) {
    return handle != 0 && IsWindow(reinterpret_cast<HWND>(handle)) != FALSE;
}

}  // namespace tavrino::win32
