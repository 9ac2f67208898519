// The program's tick: a one-shot window timer on a hidden top-level window of its own. The window
// is unowned and never a child, so it also hears the broadcasts that the wall clock jumped
// (WM_TIMECHANGE) or that the machine woke from sleep (WM_POWERBROADCAST), even while the clock
// window is embedded in a screensaver preview.
#pragma once

#include <windows.h>

#include <chrono>

#include "seam/Time.h"
#include "win32/Handles.h"

namespace tavrino::win32 {

class WindowTicks final : public Ticks {
  public:
    // Until SetEvents nothing is raised.
    explicit WindowTicks(HINSTANCE instance);
    WindowTicks(const WindowTicks&) = delete;
    WindowTicks& operator=(const WindowTicks&) = delete;
    ~WindowTicks() override = default;

    void SetEvents(TickEvents& events) { events_ = &events; }
    void DisconnectEvents() { events_ = nullptr; }
    HWND Handle() const { return window_.Get(); }

    void RequestTick(std::chrono::milliseconds delay) override;
    void CancelTick() override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnMessage(UINT message, WPARAM wParam);
    void OnTimer(WPARAM timer);
    void OnWallClockChanged();

    TickEvents* events_ = nullptr;
    UniqueWindow window_;
};

}  // namespace tavrino::win32
