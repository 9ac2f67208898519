// The Form interface over a real window, shared by frmMain and the settings dialog. The derived
// class creates its window and attaches it; this template answers the geometry in twips (the
// program's unit) from the window's pixels, and carries out the visibility, state, border,
// caption and background requests the logic makes.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>

#include "seam/Platform.h"
#include "win32/Handles.h"
#include "win32/Text.h"
#include "win32/TwipsGeometry.h"

namespace tavrino::win32 {

template <class Base>
class BasicWindowForm : public Base {
  public:
    BasicWindowForm(float twipsPerPixelX, float twipsPerPixelY)
        : twips_(twipsPerPixelX, twipsPerPixelY) {}
    BasicWindowForm(const BasicWindowForm&) = delete;
    BasicWindowForm& operator=(const BasicWindowForm&) = delete;
    ~BasicWindowForm() override { Detach(); }

    float Left() const override { return twips_.Left(window_); }
    float Top() const override { return twips_.Top(window_); }
    float Width() const override { return twips_.Width(window_); }
    float Height() const override { return twips_.Height(window_); }
    void SetLeft(float twips) override { twips_.SetLeft(window_, twips); }
    void SetTop(float twips) override { twips_.SetTop(window_, twips); }
    void SetWidth(float twips) override { twips_.SetWidth(window_, twips); }
    void SetHeight(float twips) override { twips_.SetHeight(window_, twips); }
    void Move(float left, float top, float width, float height) override {
        twips_.Move(window_, left, top, width, height);
    }

    float ScaleWidth() const override {
        RECT client{};
        GetClientRect(window_, &client);
        return twips_.ToTwipsX(client.right - client.left);
    }
    float ScaleHeight() const override {
        RECT client{};
        GetClientRect(window_, &client);
        return twips_.ToTwipsY(client.bottom - client.top);
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
                     SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | TwipsGeometry::kPosFlags);
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
        RestoreClassBackground();
        window_ = nullptr;
    }
    // Gives the class its own brush back and lets ours go. Needs the window still alive: a
    // window destroyed by someone else calls it from WM_DESTROY.
    void RestoreClassBackground() {
        if (background_ && window_ != nullptr && IsWindow(window_)) {
            SetClassLongPtrW(window_, GCLP_HBRBACKGROUND,
                             static_cast<LONG_PTR>(originalBackground_));
        }
        background_.Reset();
    }
    HWND Hwnd() const { return window_; }

    const TwipsGeometry& Twips() const { return twips_; }

  private:
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

    TwipsGeometry twips_;
    HWND window_ = nullptr;
    std::optional<WindowState> pendingState_;
    UniqueGdiObject background_;
    ULONG_PTR originalBackground_ = 0;
};

}  // namespace tavrino::win32
