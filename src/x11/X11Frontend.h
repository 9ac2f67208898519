// The X11 frontend in one piece: the display's errors and atoms, the screen, the clock window, the
// settings dialogs, the local time (or the demonstration time of TAVRINO_TIME), the tick, the
// signals, the wall clock's watch, the event loop and the process, made in the order they need each
// other. main makes one, hands Parts() to the program, connects the program's events and runs the
// loop.
#pragma once

#include <optional>
#include <string>

#include "posix/EventLoop.h"
#include "posix/ExternalSettingsDialogs.h"
#include "posix/LoopTicks.h"
#include "posix/Signals.h"
#include "posix/SystemClock.h"
#include "program/ClockTime.h"
#include "seam/Frontend.h"
#include "x11/ClockWindow.h"
#include "x11/Connection.h"
#include "x11/Process.h"
#include "x11/Screen.h"
#include "x11/XErrors.h"
#include "x11/XEventSource.h"

namespace tavrino::x11 {

struct FrontendOptions {
    std::string dialogProgram;  // the settings dialog's program
    // The TAVRINO_TIME text, if any.
    std::optional<std::string> timeOverride;
};

class X11Frontend {
  public:
    X11Frontend(Display* display, SettingsStore& store, FrontendOptions options);
    X11Frontend(const X11Frontend&) = delete;
    X11Frontend& operator=(const X11Frontend&) = delete;
    ~X11Frontend();

    Frontend Parts();
    void Connect(ClockWindowEvents& clockEvents, TickEvents& tickEvents);
    // Runs until the program ends the process; the program then does nothing more.
    void Run();

    ClockWindow& Clock() { return clockWindow_; }
    posix::EventLoop& Loop() { return loop_; }

  private:
    void OnEvent(XEvent& event);

    posix::Signals signals_;  // first: the signals wait for the loop from the start
    XErrors errors_;
    Atoms atoms_;
    Screen screen_;
    SettingsStore& store_;
    posix::SystemClock systemClock_;
    ClockTime time_;  // the system's, or the demonstration time
    posix::LoopTicks ticks_;
    posix::EventLoop loop_;
    XEventSource xEvents_;
    posix::ExternalSettingsDialogs dialogs_;
    ClockWindow clockWindow_;
    posix::WallClockWatch wallClock_;
    Process process_;
    ClockWindowEvents* clockEvents_ = nullptr;
};

}  // namespace tavrino::x11
