#include "wayland/WaylandFrontend.h"

#include <string>
#include <utility>
#include <vector>

#include "posix/dialog/DialogProtocol.h"
#include "wayland/ClockWindow.h"
#include "wayland/DesktopWindow.h"

namespace tavrino::wayland {

namespace {

std::unique_ptr<FrontendWindow> MakeWindow(Connection& connection, WaylandEventSource& source,
                                           WindowKind kind, std::function<bool()> dialogShown) {
    if (kind == WindowKind::Desktop) {
        return std::make_unique<DesktopWindow>(connection, source);
    }
    return std::make_unique<ClockWindow>(
        connection, source,
        kind == WindowKind::Module ? SurfaceKind::Background : SurfaceKind::Screensaver,
        std::move(dialogShown));
}

}  // namespace

WaylandFrontend::WaylandFrontend(Connection& connection, SettingsStore& store,
                                 FrontendOptions options)
    : store_(store),
      time_(options.timeOverride, systemClock_),
      loop_(ticks_),
      events_(connection.Display(), [this] { OnClose(); }),
      dialogs_(loop_, std::move(options.dialogProgram), [this] { return DialogEnvironment(); }),
      clockWindow_(
          MakeWindow(connection, events_, options.window, [this] { return dialogs_.Shown(); })),
      screen_(*clockWindow_),
      process_(loop_, *clockWindow_, ticks_) {
    loop_.SetBufferedSource(events_);
    clockWindow_->AwaitOutputs();
}

// GTK would take an X display where there is one too (XWayland), under the saver's surfaces.
std::vector<std::string> WaylandFrontend::DialogEnvironment() const {
    return {"GDK_BACKEND=wayland", std::string(posix::dialog::kWaylandOutputVariable) + "=" +
                                       std::to_string(clockWindow_->DialogOutputIndex())};
}

// The program is gone by now: nothing reports to it any more.
WaylandFrontend::~WaylandFrontend() {
    clockWindow_->DisconnectEvents();
    ticks_.DisconnectEvents();
    clockEvents_ = nullptr;
}

Frontend WaylandFrontend::Parts() {
    return Frontend{*clockWindow_, dialogs_, screen_, store_, time_, ticks_, process_};
}

void WaylandFrontend::Connect(ClockWindowEvents& clockEvents, TickEvents& tickEvents) {
    clockEvents_ = &clockEvents;
    clockWindow_->SetEvents(clockEvents);
    ticks_.SetEvents(tickEvents);
    signals_.WatchIn(loop_, [this] { OnClose(); });
    wallClock_.WatchIn(loop_, [&tickEvents] { tickEvents.OnWallClockChanged(); });
}

void WaylandFrontend::Run() {
    loop_.RunUntil([] { return false; });
}

// A signal, or the compositor gone: the clock closes as if its window were closed.
void WaylandFrontend::OnClose() {
    if (clockEvents_ != nullptr) {
        clockEvents_->OnClose();
    }
}

}  // namespace tavrino::wayland
