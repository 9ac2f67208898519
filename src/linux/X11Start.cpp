// The X11 start: every run mode, and the display module for the X screensaver daemons, which runs
// as the preview in the daemon's window or on the root window.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "linux/ProgramRun.h"
#include "linux/Starts.h"
#include "posix/DaemonArguments.h"
#include "posix/DialogProcess.h"
#include "x11/X11Frontend.h"

namespace tavrino {

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

    StartSettings settings;
    x11::X11Frontend frontend(
        display.get(), settings.For(module.has_value()),
        {posix::DialogProgramBesideExecutable(), EnvironmentText("TAVRINO_TIME")});
    if (frontend.Clock().Handle() == 0) {
        std::fprintf(stderr, "tavrino: the clock window could not be created.\n");
        return 1;
    }
    return RunProgram(frontend, module ? *module : posix::ReadProgramSwitches(arguments));
}

}  // namespace tavrino
