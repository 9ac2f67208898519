// frmMain as a real window: a top-level window with a sizable border, no minimise or maximise
// button and a black background, owned by a hidden window of its own so that it has a taskbar
// button only while WS_EX_APPWINDOW is set. It carries Pic1 and Timer1, and turns its messages
// into the events of MainFormEvents: keys (with the key code and the shift mask 1 Shift, 2 Ctrl,
// 4 Alt), clicks, pointer moves in twips, focus, size changes, closing (by the window manager or
// at the end of the session), and the destruction of the preview host that it was embedded in.
#pragma once

#include <windows.h>

#include <memory>

#include "seam/Platform.h"
#include "win32/Handles.h"
#include "win32/PictureWindow.h"
#include "win32/WindowForm.h"

namespace tavrino::win32 {

class MainWindow final : public BasicWindowForm<Form> {
  public:
    // Creates the window hidden. Until SetEvents its messages raise no events.
    MainWindow(HINSTANCE instance, float twipsPerPixelX, float twipsPerPixelY);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    void SetEvents(MainFormEvents& events) { events_ = &events; }
    // From now on the window's messages raise no events: the logic is gone.
    void DisconnectEvents() { events_ = nullptr; }
    PictureWindow& Pic1() { return *pic1_; }
    // Timer1: OnTimer every 250 ms while enabled.
    void SetTimerEnabled(bool enabled);
    // Destroys the window now, without raising OnHostGone.
    void Destroy();

    HWND Window() const { return Hwnd(); }
    HWND Owner() const { return owner_.Get(); }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnKeyDown(WPARAM key, LPARAM flags, bool systemKey);
    void OnMouseMove(WPARAM buttons, LPARAM position);
    void OnLeftButtonDown();
    void OnLeftButtonUp();
    void OnDestroy();

    UniqueWindow owner_;
    UniqueWindow window_;
    std::unique_ptr<PictureWindow> pic1_;
    MainFormEvents* events_ = nullptr;
    bool destroying_ = false;
};

}  // namespace tavrino::win32
