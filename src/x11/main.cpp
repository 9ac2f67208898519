// tavrino: the desktop clock, the screensaver with /S, its settings with /C, the preview with
// /P <window>, and a display module for the X screensaver daemons (-root, -window-id, and
// $XSCREENSAVER_WINDOW), which runs as the preview in the daemon's window or on the root window.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "posix/DaemonArguments.h"
#include "posix/DialogProcess.h"
#include "posix/FileSettingsStore.h"
#include "posix/ReadOnlySettingsStore.h"
#include "program/CommandLine.h"
#include "program/Program.h"
#include "surface/RasterSurface.h"
#include "x11/X11Frontend.h"

namespace {

std::optional<std::string> EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// The program's own switches, read from the arguments as one line.
tavrino::StartRequest ReadSwitches(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) {
        joined += (joined.empty() ? "" : " ") + argument;
    }
    return tavrino::ReadCommandLine(joined);
}

}  // namespace

int main(int argc, char** argv) {
    const tavrino::x11::UniqueDisplay display = tavrino::x11::OpenDisplay();
    if (!display) {
        std::fprintf(stderr, "tavrino: the X display could not be opened.\n");
        return 1;
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::optional<std::string> windowVariable = EnvironmentText("XSCREENSAVER_WINDOW");
    const auto rootWindow = static_cast<tavrino::HostWindowId>(XDefaultRootWindow(display.get()));
    const std::optional<tavrino::StartRequest> module =
        tavrino::posix::ReadDaemonArguments(arguments, windowVariable, rootWindow);

    tavrino::posix::FileSettingsStore userSettings(tavrino::posix::DefaultSettingsPath());
    tavrino::posix::ReadOnlySettingsStore moduleSettings(userSettings);
    tavrino::SettingsStore& store = module ? static_cast<tavrino::SettingsStore&>(moduleSettings)
                                           : static_cast<tavrino::SettingsStore&>(userSettings);

    tavrino::x11::X11Frontend frontend(
        display.get(), store,
        {tavrino::posix::DialogProgramBesideExecutable(), EnvironmentText("TAVRINO_TIME")});
    if (frontend.Clock().Handle() == 0) {
        std::fprintf(stderr, "tavrino: the clock window could not be created.\n");
        return 1;
    }
    tavrino::RasterSurface faceSurface(frontend.Clock().FaceCanvas());
    tavrino::Program program(frontend.Parts(), faceSurface);
    frontend.Connect(program.ClockEvents(), program.TickEvents());
    program.Start(module ? *module : ReadSwitches(arguments));
    frontend.Run();
    return 0;
}
