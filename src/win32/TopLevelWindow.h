// What the clock window and the settings dialog do alike as windows on the screen: their outer
// rectangle in pixels, showing and hiding, the focus, the title and the topmost band. The derived
// class makes its window, attaches it here, and detaches it before destroying it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "seam/Geometry.h"
#include "seam/Window.h"
#include "win32/Text.h"

namespace tavrino::win32 {

// A host's window as a handle. A window handle's meaning lies in its low 32 bits, which a 64-bit
// program takes sign-extended, as the system hands them from 32-bit programs.
inline HWND HostWindowHandle(HostWindowId host) {
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(host));
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(low));
}

// The window's outer rectangle as SetWindowPos takes it: on the screen, or in the parent's
// client area for a child.
inline PixelRect OuterRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0) {
        MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    }
    return {r.left, r.top, r.right, r.bottom};
}

// Geometry and frame changes leave the Z-order and the activation alone.
constexpr UINT kKeepOrderAndActivation = SWP_NOZORDER | SWP_NOACTIVATE;

template <class Interface>
class TopLevelWindow : public Interface {
  public:
    TopLevelWindow() = default;
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;
    ~TopLevelWindow() override = default;

    PixelRect Rect() const override { return OuterRect(window_); }
    void SetRect(const PixelRect& rect) override {
        SetWindowPos(window_, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                     kKeepOrderAndActivation);
    }

    bool Visible() const override {
        return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    void Show() override { ShowWindow(window_, SW_SHOW); }
    void Hide() override { ShowWindow(window_, SW_HIDE); }
    // SetFocus activates a window of this thread; it never takes the foreground from another
    // program.
    void Focus() override { ::SetFocus(window_); }
    void SetTitle(std::string_view title) override {
        SetWindowTextW(window_, Widen(title).c_str());
    }

    // The window keeps its place and size, and is shown and activated in its new band.
    void SetOnTop(bool onTop) override {
        const PixelRect rect = OuterRect(window_);
        SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top,
                     rect.Width(), rect.Height(), SWP_SHOWWINDOW);
    }

  protected:
    void Attach(HWND window) { window_ = window; }
    void Detach() { window_ = nullptr; }
    HWND Hwnd() const { return window_; }

  private:
    HWND window_ = nullptr;
};

}  // namespace tavrino::win32
