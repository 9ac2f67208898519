// tavrino: the desktop clock, the screensaver with /S, its settings with /C, the preview with
// /P <window>, and a display hack for the X screensaver daemons (-root, -window-id, and
// $XSCREENSAVER_WINDOW), which runs as the preview in the daemon's window.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "posix/DialogProcess.h"
#include "posix/FileSettingsStore.h"
#include "posix/ReadOnlySettingsStore.h"
#include "program/DaemonArguments.h"
#include "program/Program.h"
#include "surface/RasterSurface.h"
#include "x11/X11Frontend.h"

namespace {

std::optional<std::string> EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// The arguments as the program reads them: a hack's become the preview's.
std::string ProgramArguments(const std::vector<std::string>& arguments,
                             const tavrino::DaemonRequest& request, Display* display) {
    using tavrino::DaemonTarget;
    if (request.target == DaemonTarget::Root) {
        return tavrino::PreviewArgumentsFor(
            static_cast<std::uint32_t>(XDefaultRootWindow(display)));
    }
    if (request.target == DaemonTarget::Window) {
        return tavrino::PreviewArgumentsFor(request.window);
    }
    std::string joined;
    for (const std::string& argument : arguments) {
        joined += (joined.empty() ? "" : " ") + argument;
    }
    return joined;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::optional<std::string> windowVariable = EnvironmentText("XSCREENSAVER_WINDOW");
    const tavrino::DaemonRequest request = tavrino::ReadDaemonRequest(arguments, windowVariable);

    const tavrino::x11::UniqueDisplay display = tavrino::x11::OpenDisplay();
    if (!display) {
        std::fprintf(stderr, "tavrino: the X display could not be opened.\n");
        return 1;
    }
    tavrino::posix::FileSettingsStore userSettings(tavrino::posix::DefaultSettingsPath());
    tavrino::posix::ReadOnlySettingsStore hackSettings(userSettings);
    const bool hack = request.target != tavrino::DaemonTarget::NotAHack;
    tavrino::SettingsStore& store = hack ? static_cast<tavrino::SettingsStore&>(hackSettings)
                                         : static_cast<tavrino::SettingsStore&>(userSettings);

    tavrino::x11::X11Frontend frontend(
        display.get(), store,
        {ProgramArguments(arguments, request, display.get()),
         tavrino::posix::DialogProgramBesideExecutable(), EnvironmentText("TAVRINO_TIME")});
    if (frontend.Clock().Handle() == 0) {
        std::fprintf(stderr, "tavrino: the clock window could not be created.\n");
        return 1;
    }
    tavrino::RasterSurface faceSurface(frontend.Clock().FaceCanvas());
    tavrino::Program program(frontend.Parts(), faceSurface);
    frontend.Connect(program.ClockEvents(), program.TickEvents());
    program.Start();
    frontend.Run();
    return 0;
}
