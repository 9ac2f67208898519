// The Wayland start: the full-screen screensaver as a layer-shell client, and the display module
// on the desk (-root, as a locker that embeds it starts it), which reads the screensaver's settings
// and never writes them.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "linux/Starts.h"
#include "posix/DaemonArguments.h"
#include "posix/DialogProcess.h"
#include "posix/FileSettingsStore.h"
#include "posix/ReadOnlySettingsStore.h"
#include "program/Program.h"
#include "surface/RasterSurface.h"
#include "wayland/Connection.h"
#include "wayland/WaylandFrontend.h"

namespace tavrino {

namespace {

// The module's host: the desk the background surfaces cover. Any id but 0 names it.
constexpr HostWindowId kDesk = 1;

std::optional<std::string> EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

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
    posix::FileSettingsStore userSettings(posix::DefaultSettingsPath());
    posix::ReadOnlySettingsStore moduleSettings(userSettings);
    SettingsStore& store = module ? static_cast<SettingsStore&>(moduleSettings)
                                  : static_cast<SettingsStore&>(userSettings);
    wayland::WaylandFrontend frontend(
        *connection_, store,
        {posix::DialogProgramBesideExecutable(), EnvironmentText("TAVRINO_TIME"),
         module ? wayland::SurfaceKind::Background : wayland::SurfaceKind::Screensaver});
    RasterSurface faceSurface(frontend.Clock().FaceCanvas());
    Program program(frontend.Parts(), faceSurface);
    frontend.Connect(program.ClockEvents(), program.TickEvents());
    program.Start(module ? *module : posix::ReadProgramSwitches(arguments));
    frontend.Run();
    return 0;
}

}  // namespace tavrino
