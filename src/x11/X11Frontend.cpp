#include "x11/X11Frontend.h"

#include <utility>

namespace tavrino::x11 {

X11Frontend::X11Frontend(Display* display, SettingsStore& store, FrontendOptions options)
    : errors_(display),
      atoms_(display),
      screen_(display, atoms_),
      store_(store),
      time_(options.timeOverride, systemClock_),
      loop_(ticks_),
      xEvents_(display, [this](XEvent& event) { OnEvent(event); }),
      // GTK would take a Wayland display where there is one (XWayland), and the dialog could
      // no longer be placed beside the clock.
      dialogs_(loop_, std::move(options.dialogProgram),
               [] { return std::vector<std::string>{"GDK_BACKEND=x11"}; }),
      clockWindow_(display, atoms_, screen_, errors_),
      process_(display, atoms_, loop_, clockWindow_, ticks_) {
    loop_.SetBufferedSource(xEvents_);
}

// The program is gone by now: nothing reports to it any more.
X11Frontend::~X11Frontend() {
    clockWindow_.DisconnectEvents();
    ticks_.DisconnectEvents();
    clockEvents_ = nullptr;
}

Frontend X11Frontend::Parts() {
    return Frontend{clockWindow_, dialogs_, screen_, store_, time_, ticks_, process_};
}

void X11Frontend::Connect(ClockWindowEvents& clockEvents, TickEvents& tickEvents) {
    clockEvents_ = &clockEvents;
    clockWindow_.SetEvents(clockEvents);
    ticks_.SetEvents(tickEvents);
    signals_.WatchIn(loop_, [this] {
        if (clockEvents_ != nullptr) {
            clockEvents_->OnClose();
        }
    });
    wallClock_.WatchIn(loop_, [&tickEvents] { tickEvents.OnWallClockChanged(); });
}

void X11Frontend::Run() {
    loop_.RunUntil([] { return false; });
}

void X11Frontend::OnEvent(XEvent& event) {
    if (screen_.IsMonitorChange(event)) {
        clockWindow_.OnMonitorsChanged();
        if (clockEvents_ != nullptr) {
            clockEvents_->OnMonitorsChanged();
        }
        return;
    }
    clockWindow_.OnEvent(event);
}

}  // namespace tavrino::x11
