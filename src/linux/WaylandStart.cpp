// The Wayland start: the desktop clock and the full-screen screensaver as layer-shell clients, and
// the display module on the desk (-root, as a locker that embeds it starts it), which reads the
// screensaver's settings and never writes them.
#include <optional>
#include <string>

#include "linux/ProgramRun.h"
#include "linux/Starts.h"
#include "posix/DaemonArguments.h"
#include "posix/DialogProcess.h"
#include "wayland/Connection.h"
#include "wayland/WaylandFrontend.h"

namespace tavrino {

namespace {

// The module's host: the desk the background surfaces cover. Any id but 0 names it.
constexpr HostWindowId kDesk = 1;

}  // namespace

WaylandStart::WaylandStart() = default;
WaylandStart::~WaylandStart() = default;

posix::LayerShellOffer WaylandStart::Connect() {
    if (!connection_) {
        connection_ = std::make_unique<wayland::Connection>();
    }
    if (connection_->Display() == nullptr) {
        return posix::LayerShellOffer::NoConnection;
    }
    const bool usable = connection_->LayerShell() != nullptr &&
                        connection_->Compositor() != nullptr &&
                        connection_->SharedMemory() != nullptr;
    return usable ? posix::LayerShellOffer::Offered : posix::LayerShellOffer::Missing;
}

int WaylandStart::Run(const std::vector<std::string>& arguments) {
    const std::optional<StartRequest> module =
        posix::ReadDaemonArguments(arguments, std::nullopt, kDesk);
    const StartRequest request = module ? *module : posix::ReadProgramSwitches(arguments);
    wayland::WindowKind window = wayland::WindowKind::Desktop;
    if (module) {
        window = wayland::WindowKind::Module;
    } else if (request.mode == RunMode::FullScreen) {
        window = wayland::WindowKind::Screensaver;
    }
    StartSettings settings;
    wayland::WaylandFrontend frontend(
        *connection_, settings.For(module.has_value()),
        {posix::DialogProgramBesideExecutable(), EnvironmentText("TAVRINO_TIME"), window});
    return RunProgram(frontend, request);
}

}  // namespace tavrino
