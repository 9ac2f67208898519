// The Windows frontend in one piece: the clock window, the settings dialogs, the screen, the
// registry settings, the local time (or the demonstration time of TAVRINO_TIME), the tick timer
// and the process, made in the order they need each other. WinMain makes one, hands Parts() to
// the program, connects the program's events and runs the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "program/ClockTime.h"
#include "seam/Frontend.h"
#include "win32/ClockWindow.h"
#include "win32/MessageLoop.h"
#include "win32/Process.h"
#include "win32/RegistrySettings.h"
#include "win32/Screen.h"
#include "win32/SettingsDialogs.h"
#include "win32/SystemClock.h"
#include "win32/WindowTicks.h"

namespace tavrino::win32 {

// What a run takes from the process by default, and a test may give instead.
struct FrontendOptions {
    std::wstring registryBase = L"Software";
    // The TAVRINO_TIME text; by default the process's environment variable.
    std::optional<std::string> timeOverride;
    ProcessOptions process;
};

class WindowsFrontend {
  public:
    explicit WindowsFrontend(HINSTANCE instance, FrontendOptions options = {});
    WindowsFrontend(const WindowsFrontend&) = delete;
    WindowsFrontend& operator=(const WindowsFrontend&) = delete;
    ~WindowsFrontend();

    Frontend Parts();
    // Where the clock window's and the timer's events go; connected before the program starts.
    void Connect(ClockWindowEvents& clockEvents, TickEvents& tickEvents);
    // Runs until WM_QUIT and returns its exit code. The program's own end never returns here:
    // EndProcess ends the process.
    int RunMessageLoop() { return loop_.Run(); }

    ClockWindow& Clock() { return clockWindow_; }
    SettingsDialogs& Dialogs() { return dialogs_; }
    WindowTicks& TickTimer() { return ticks_; }

  private:
    Screen screen_;
    RegistrySettings store_;
    SystemClock systemClock_;
    ClockTime time_;  // the system's, or the demonstration time
    ClockWindow clockWindow_;
    WindowTicks ticks_;
    SettingsDialogs dialogs_;
    MessageLoop loop_;
    Process process_;
};

}  // namespace tavrino::win32
