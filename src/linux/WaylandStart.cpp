// The Wayland start: the full-screen screensaver as a layer-shell client.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "linux/Starts.h"
#include "posix/DaemonArguments.h"
#include "posix/DialogProcess.h"
#include "posix/FileSettingsStore.h"
#include "program/Program.h"
#include "surface/RasterSurface.h"
#include "wayland/Connection.h"
#include "wayland/WaylandFrontend.h"

namespace tavrino {

namespace {

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
    posix::FileSettingsStore store(posix::DefaultSettingsPath());
    wayland::WaylandFrontend frontend(
        *connection_, store,
        {posix::DialogProgramBesideExecutable(), EnvironmentText("TAVRINO_TIME")});
    RasterSurface faceSurface(frontend.Clock().FaceCanvas());
    Program program(frontend.Parts(), faceSurface);
    frontend.Connect(program.ClockEvents(), program.TickEvents());
    program.Start(posix::ReadProgramSwitches(arguments));
    frontend.Run();
    return 0;
}

}  // namespace tavrino
