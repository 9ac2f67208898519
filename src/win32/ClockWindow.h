// The clock window: a top-level window with a sizable border, no minimise or maximise button and
// a black background, owned by a hidden window of its own so that it has a taskbar button only
// while WS_EX_APPWINDOW is set. Its client area shows the face's canvas. It turns its messages
// into ClockWindowEvents: keys, clicks, pointer moves in client pixels, focus, size changes,
// closing (by the window manager or at the end of the session), another program taking the
// activation, and the end of the preview host it was embedded in: the host's window destroyed,
// its process ended or the host hung, which a timer on the hidden owner checks while it is
// embedded. Moved to a monitor of another scale, it takes the rectangle the system suggests, and
// the face is drawn anew at that size. The requests on its frame, band and translucency, and the
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
    // Destroys the window now, without raising OnHostGone. Left to the system when its host hung:
    // destroying a child tells its parent.
    void Destroy();
    // From now on the system's request to start a screensaver is turned down: this one runs.
    void DeclineScreensaverStarts() { declineScreensaverStarts_ = true; }

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
    PixelRect ScreenRect() const override;
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
    void OnDpiChanged(const RECT& suggested);
    bool OnKeyDown(WPARAM key, LPARAM flags, bool systemKey);
    void OnPointerMove(WPARAM buttons, LPARAM position);
    void OnLeftButtonDown(LPARAM position);
    void OnLeftButtonUp();
    void OnEndSession(WPARAM ending);
    void OnDestroy();
    void WatchHost(HWND host);
    static void CALLBACK OnHostWatchTimer(HWND owner, UINT message, UINT_PTR timer, DWORD time);
    void OnHostWatch();

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
    bool declineScreensaverStarts_ = false;
    HWND host_ = nullptr;             // the preview host it is embedded in
    UniqueKernelHandle hostProcess_;  // the host's process, when it may be waited for
    bool hostHung_ = false;
};

}  // namespace tavrino::win32
