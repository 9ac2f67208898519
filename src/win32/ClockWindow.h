// The clock window: a top-level window with a sizable border, no minimise or maximise button and
// a black background, owned by a hidden window of its own so that it has a taskbar button only
// while WS_EX_APPWINDOW is set. Its client area shows the face's canvas. It turns its messages
// into ClockWindowEvents: keys, clicks, pointer moves in client pixels, focus, size changes,
// closing (by the window manager or at the end of the session), and the destruction of the
// preview host it was embedded in. The requests on its frame, band and translucency, and the
// frame's answers to the system, are in ClockWindowFrame.cpp.
#pragma once

#include <windows.h>

#include <optional>

#include "seam/ClockWindow.h"
#include "win32/DibCanvas.h"
#include "win32/FramePacer.h"
#include "win32/Handles.h"
#include "win32/OsVersion.h"
#include "win32/TopLevelWindow.h"

namespace tavrino::win32 {

class ClockWindow final : public TopLevelWindow<tavrino::ClockWindow> {
  public:
    // Creates the window hidden. Until SetEvents its messages raise no events.
    explicit ClockWindow(HINSTANCE instance);
    ClockWindow(const ClockWindow&) = delete;
    ClockWindow& operator=(const ClockWindow&) = delete;
    ~ClockWindow() override;

    void SetEvents(ClockWindowEvents& events) { events_ = &events; }
    // From now on the window's messages raise no events: the program is gone.
    void DisconnectEvents() { events_ = nullptr; }
    // Destroys the window now, without raising OnHostGone.
    void Destroy();

    HWND Handle() const { return window_.Get(); }
    HWND Owner() const { return owner_.Get(); }
    DibCanvas& FaceCanvas() { return canvas_; }

    // A Restore asked for while the window was hidden is carried out by Show.
    void Show() override;
    WindowState State() const override;
    void Restore() override;

    void HideTitleBar() override;
    void RemoveBorder() override;
    void ShowTaskbarButton(bool show) override;
    bool TranslucencyAvailable() const override;
    void SetTranslucency(int amount) override;
    void WaitForNextFrame() override { framePacer_.WaitForNextFrame(); }
    bool AttachToHost(HostWindowId host) override;
    void SetPointerVisible(bool visible) override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // What the window answers when the system asks about its frame (WM_NCCALCSIZE, WM_NCHITTEST);
    // empty where the system's own answer stands.
    static std::optional<LRESULT> FrameAnswer(HWND window, UINT message, LPARAM lParam);
    // The window's own upkeep, whether or not anyone listens; false for any other message.
    bool OnUpkeep(UINT message, WPARAM wParam, LPARAM lParam);
    // The messages that become events; false for any other message.
    bool OnEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnSize(LPARAM size);
    bool OnKeyDown(WPARAM key, LPARAM flags, bool systemKey);
    void OnPointerMove(WPARAM buttons, LPARAM position);
    void OnLeftButtonDown();
    void OnLeftButtonUp();
    void OnEndSession(WPARAM ending);
    void OnDestroy();

    DibCanvas canvas_;
    FramePacer framePacer_;
    // The version is queried on every answer and a failed query keeps the previous record.
    mutable OsVersion osVersion_;
    UniqueWindow owner_;
    UniqueWindow window_;  // after the canvas: creating it sends WM_SIZE
    ClockWindowEvents* events_ = nullptr;
    bool restorePending_ = false;
    bool pointerHidden_ = false;
    bool destroying_ = false;
};

}  // namespace tavrino::win32
