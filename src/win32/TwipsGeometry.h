// Twips, the program's unit of position and size, against a window's pixels. frmMain, frmSet and
// Pic1 all read and set their outer rectangles through it, so that they round alike.
#pragma once

#include <windows.h>

#include <cmath>

namespace tavrino::win32 {

// The window's outer rectangle in pixels, as SetWindowPos takes it: on the screen, or in the
// parent's client area for a child.
inline RECT OuterRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0) {
        MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

class TwipsGeometry {
  public:
    TwipsGeometry(float twipsPerPixelX, float twipsPerPixelY)
        : twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY) {}

    float TwipsPerPixelX() const { return twipsPerPixelX_; }
    float TwipsPerPixelY() const { return twipsPerPixelY_; }
    float ToTwipsX(LONG pixels) const { return static_cast<float>(pixels) * twipsPerPixelX_; }
    float ToTwipsY(LONG pixels) const { return static_cast<float>(pixels) * twipsPerPixelY_; }
    int ToPixelsX(float twips) const {
        return static_cast<int>(std::lround(twips / twipsPerPixelX_));
    }
    int ToPixelsY(float twips) const {
        return static_cast<int>(std::lround(twips / twipsPerPixelY_));
    }

    // The window's outer rectangle in twips.
    float Left(HWND window) const { return ToTwipsX(OuterRect(window).left); }
    float Top(HWND window) const { return ToTwipsY(OuterRect(window).top); }
    float Width(HWND window) const {
        const RECT r = OuterRect(window);
        return ToTwipsX(r.right - r.left);
    }
    float Height(HWND window) const {
        const RECT r = OuterRect(window);
        return ToTwipsY(r.bottom - r.top);
    }

    void SetLeft(HWND window, float twips) const {
        SetWindowPos(window, nullptr, ToPixelsX(twips), OuterRect(window).top, 0, 0,
                     SWP_NOSIZE | kPosFlags);
    }
    void SetTop(HWND window, float twips) const {
        SetWindowPos(window, nullptr, OuterRect(window).left, ToPixelsY(twips), 0, 0,
                     SWP_NOSIZE | kPosFlags);
    }
    void SetWidth(HWND window, float twips) const {
        const RECT r = OuterRect(window);
        SetWindowPos(window, nullptr, 0, 0, ToPixelsX(twips), r.bottom - r.top,
                     SWP_NOMOVE | kPosFlags);
    }
    void SetHeight(HWND window, float twips) const {
        const RECT r = OuterRect(window);
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, ToPixelsY(twips),
                     SWP_NOMOVE | kPosFlags);
    }
    void Move(HWND window, float left, float top, float width, float height) const {
        SetWindowPos(window, nullptr, ToPixelsX(left), ToPixelsY(top), ToPixelsX(width),
                     ToPixelsY(height), kPosFlags);
    }

    // Geometry changes leave the z-order and the activation alone.
    static constexpr UINT kPosFlags = SWP_NOZORDER | SWP_NOACTIVATE;

  private:
    float twipsPerPixelX_;
    float twipsPerPixelY_;
};

}  // namespace tavrino::win32
