// The Form interface over a real window, shared by frmMain and the settings dialog. The derived
// class creates its window and attaches it; this template answers the geometry in twips (the
// program's unit) from the window's pixels, and carries out the visibility, state, border,
// caption and background requests the logic makes.
#pragma once

#include <windows.h>

#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/Platform.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

namespace tavrino::win32 {

template <class Base>
class BasicWindowForm : public Base {
  public:
    BasicWindowForm(float twipsPerPixelX, float twipsPerPixelY)
        : twipsPerPixelX_(twipsPerPixelX), twipsPerPixelY_(twipsPerPixelY) {}
    BasicWindowForm(const BasicWindowForm&) = delete;
    BasicWindowForm& operator=(const BasicWindowForm&) = delete;
    ~BasicWindowForm() override { Detach(); }

    float Left() const override { return ToTwipsX(OuterRect().left); }
    float Top() const override { return ToTwipsY(OuterRect().top); }
    float Width() const override {
        const RECT r = OuterRect();
        return ToTwipsX(r.right - r.left);
    }
    float Height() const override {
        const RECT r = OuterRect();
        return ToTwipsY(r.bottom - r.top);
    }

    void SetLeft(float twips) override {
        SetWindowPos(window_, nullptr, ToPixelsX(twips), OuterRect().top, 0, 0,
                     SWP_NOSIZE | kPosFlags);
    }
    void SetTop(float twips) override {
        SetWindowPos(window_, nullptr, OuterRect().left, ToPixelsY(twips), 0, 0,
                     SWP_NOSIZE | kPosFlags);
    }
    void SetWidth(float twips) override {
        const RECT r = OuterRect();
        SetWindowPos(window_, nullptr, 0, 0, ToPixelsX(twips), r.bottom - r.top,
                     SWP_NOMOVE | kPosFlags);
    }
    void SetHeight(float twips) override {
        const RECT r = OuterRect();
        SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, ToPixelsY(twips),
                     SWP_NOMOVE | kPosFlags);
    }
    void Move(float left, float top, float width, float height) override {
        SetWindowPos(window_, nullptr, ToPixelsX(left), ToPixelsY(top), ToPixelsX(width),
                     ToPixelsY(height), kPosFlags);
    }

    float ScaleWidth() const override {
        RECT client{};
        GetClientRect(window_, &client);
        return ToTwipsX(client.right - client.left);
    }
    float ScaleHeight() const override {
        RECT client{};
        GetClientRect(window_, &client);
        return ToTwipsY(client.bottom - client.top);
    }

    bool Visible() const override {
        return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    // A state asked for while the window was hidden is taken on showing.
    void Show() override {
        ShowWindow(window_, pendingState_ ? ShowCommand(*pendingState_) : SW_SHOW);
        pendingState_.reset();
    }
    void Hide() override { ShowWindow(window_, SW_HIDE); }
    // Activates the window within the program; it never takes the foreground from another one.
    void SetFocus() override { ::SetFocus(window_); }

    WindowState GetWindowState() const override {
        if (pendingState_ && !Visible()) {
            return *pendingState_;
        }
        if (IsIconic(window_)) {
            return WindowState::Minimised;
        }
        return IsZoomed(window_) ? WindowState::Maximised : WindowState::Normal;
    }
    // Setting the state of a hidden window must not show it: the state waits for Show.
    void SetWindowState(WindowState state) override {
        if (!Visible()) {
            pendingState_ = state;
            return;
        }
        pendingState_.reset();
        if (GetWindowState() != state) {
            ShowWindow(window_, ShowCommand(state));
        }
    }

    void SetBorderStyleNone() override {
        constexpr LONG_PTR kFrameStyles = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;
        constexpr LONG_PTR kFrameExStyles =
            WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE;
        SetWindowLongPtrW(window_, GWL_STYLE,
                          GetWindowLongPtrW(window_, GWL_STYLE) & ~kFrameStyles);
        SetWindowLongPtrW(window_, GWL_EXSTYLE,
                          GetWindowLongPtrW(window_, GWL_EXSTYLE) & ~kFrameExStyles);
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | kPosFlags);
    }

    void SetCaption(std::string_view caption) override {
        SetWindowTextW(window_, Widen(caption).c_str());
    }

    // The window class's background brush, which the window's erase uses. The brush this form
    // made stays alive while the class refers to it; Detach gives the class its own brush back.
    void SetBackColour(Colour colour) override {
        UniqueGdiObject brush(CreateSolidBrush(colour));
        if (!brush) {
            return;
        }
        const ULONG_PTR previous =
            SetClassLongPtrW(window_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush.Get()));
        if (!background_) {
            originalBackground_ = previous;
        }
        background_ = std::move(brush);
        InvalidateRect(window_, nullptr, TRUE);
    }

    WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(window_); }

  protected:
    // The derived class attaches its window once it exists, and detaches it before destroying it.
    void Attach(HWND window) { window_ = window; }
    void Detach() {
        if (background_ && window_ != nullptr && IsWindow(window_)) {
            SetClassLongPtrW(window_, GCLP_HBRBACKGROUND,
                             static_cast<LONG_PTR>(originalBackground_));
        }
        background_.Reset();
        window_ = nullptr;
    }
    HWND Hwnd() const { return window_; }
    HBRUSH BackgroundBrush() const { return static_cast<HBRUSH>(background_.Get()); }

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

  private:
    static constexpr UINT kPosFlags = SWP_NOZORDER | SWP_NOACTIVATE;

    static int ShowCommand(WindowState state) {
        switch (state) {
            case WindowState::Minimised:
                return SW_SHOWMINIMIZED;
            case WindowState::Maximised:
                return SW_SHOWMAXIMIZED;
            case WindowState::Normal:
                break;
        }
        return SW_SHOWNORMAL;
    }

    // The outer rectangle in pixels: on the screen, or in the parent's client area for a child.
    RECT OuterRect() const {
        RECT r{};
        GetWindowRect(window_, &r);
        if ((GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) != 0) {
            MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&r), 2);
        }
        return r;
    }

    float twipsPerPixelX_;
    float twipsPerPixelY_;
    HWND window_ = nullptr;
    std::optional<WindowState> pendingState_;
    UniqueGdiObject background_;
    ULONG_PTR originalBackground_ = 0;
};

}  // namespace tavrino::win32
