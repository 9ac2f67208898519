// The X11 start: every run mode, and the display module for the X screensaver daemons, which runs
// as the preview in the daemon's window or on the root window.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "linux/Starts.h"
#include "posix/DaemonArguments.h"
#include "posix/DialogProcess.h"
#include "posix/FileSettingsStore.h"
#include "posix/ReadOnlySettingsStore.h"
#include "program/Program.h"
#include "surface/RasterSurface.h"
#include "x11/X11Frontend.h"

namespace tavrino {

namespace {

std::optional<std::string> EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

int RunOnX11(const std::vector<std::string>& arguments) {
    const x11::UniqueDisplay display = x11::OpenDisplay();
    if (!display) {
        std::fprintf(stderr, "tavrino: the X display could not be opened.\n");
        return 1;
    }
    const std::optional<std::string> windowVariable = EnvironmentText("XSCREENSAVER_WINDOW");
    const auto rootWindow = static_cast<HostWindowId>(XDefaultRootWindow(display.get()));
    const std::optional<StartRequest> module =
        posix::ReadDaemonArguments(arguments, windowVariable, rootWindow);

    posix::FileSettingsStore userSettings(posix::DefaultSettingsPath());
    posix::ReadOnlySettingsStore moduleSettings(userSettings);
    SettingsStore& store = module ? static_cast<SettingsStore&>(moduleSettings)
                                  : static_cast<SettingsStore&>(userSettings);

    x11::X11Frontend frontend(
        display.get(), store,
        {posix::DialogProgramBesideExecutable(), EnvironmentText("TAVRINO_TIME")});
    if (frontend.Clock().Handle() == 0) {
        std::fprintf(stderr, "tavrino: the clock window could not be created.\n");
        return 1;
    }
    RasterSurface faceSurface(frontend.Clock().FaceCanvas());
    Program program(frontend.Parts(), faceSurface);
    frontend.Connect(program.ClockEvents(), program.TickEvents());
    program.Start(module ? *module : posix::ReadProgramSwitches(arguments));
    frontend.Run();
    return 0;
}

}  // namespace tavrino
