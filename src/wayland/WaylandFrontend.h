// The Wayland frontend in one piece, for the desktop clock, the full-screen screensaver and the
// display module on the desk (-root): the connection's event source, the clock window of the
// run (one surface on the desk, or surfaces over every output), the screen it sees, the settings
// dialogs, the local time (or the demonstration time of TAVRINO_TIME), the tick, the signals, the
// wall clock's watch, the event loop and the process, made in the order they need each other. main
// makes one over a connection that offers layer shells, hands Parts() to the program, connects the
// program's events and runs the loop.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "posix/EventLoop.h"
#include "posix/ExternalSettingsDialogs.h"
#include "posix/LoopTicks.h"
#include "posix/Signals.h"
#include "posix/SystemClock.h"
#include "program/ClockTime.h"
#include "seam/Frontend.h"
#include "wayland/Connection.h"
#include "wayland/FrontendWindow.h"
#include "wayland/Process.h"
#include "wayland/Screen.h"
#include "wayland/WaylandEventSource.h"

namespace tavrino::wayland {

enum class WindowKind {
    Desktop,      // the desktop clock, on one output
    Screensaver,  // over every output, taking the keys
    Module,       // under everything on every output, taking no input
};

struct FrontendOptions {
    std::string dialogProgram;  // the settings dialog's program
    // The TAVRINO_TIME text, if any.
    std::optional<std::string> timeOverride;
    WindowKind window = WindowKind::Screensaver;
};

class WaylandFrontend {
  public:
    // Learns the outputs and waits for their surfaces' sizes.
    WaylandFrontend(Connection& connection, SettingsStore& store, FrontendOptions options);
    WaylandFrontend(const WaylandFrontend&) = delete;
    WaylandFrontend& operator=(const WaylandFrontend&) = delete;
    ~WaylandFrontend();

    Frontend Parts();
    void Connect(ClockWindowEvents& clockEvents, TickEvents& tickEvents);
    // Runs until the program ends the process; the program then does nothing more.
    void Run();

    FrontendWindow& Clock() { return *clockWindow_; }

  private:
    void OnClose();
    // What the dialog program's environment has in place of the clock's.
    std::vector<std::string> DialogEnvironment() const;

    posix::Signals signals_;  // first: the signals wait for the loop from the start
    SettingsStore& store_;
    posix::SystemClock systemClock_;
    ClockTime time_;  // the system's, or the demonstration time
    posix::LoopTicks ticks_;
    posix::EventLoop loop_;
    WaylandEventSource events_;
    posix::ExternalSettingsDialogs dialogs_;
    std::unique_ptr<FrontendWindow> clockWindow_;
    Screen screen_;
    posix::WallClockWatch wallClock_;
    Process process_;
    ClockWindowEvents* clockEvents_ = nullptr;
};

}  // namespace tavrino::wayland
