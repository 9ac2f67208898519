// tavrino: the desktop clock, the screensaver with /S, its settings with /C, the preview with
// /P <window>, and a display module for the X screensaver daemons (-root, -window-id, and
// $XSCREENSAVER_WINDOW). On a Wayland compositor with layer shells the desktop clock, the
// screensaver and the module on the desk are a Wayland client of their own; the rest runs on X11
// (through XWayland there). --x11 and --wayland choose one.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "linux/Starts.h"
#include "posix/DisplaySystemChoice.h"

namespace {

bool IsSet(const char* name) {
    return std::getenv(name) != nullptr;
}

tavrino::posix::DisplaySession SessionFromEnvironment() {
    tavrino::posix::DisplaySession session;
    session.waylandDisplay = IsSet("WAYLAND_DISPLAY");
    session.waylandSocket = IsSet("WAYLAND_SOCKET");
    session.x11Display = IsSet("DISPLAY");
    if (const char* window = std::getenv("XSCREENSAVER_WINDOW")) {
        session.xscreensaverWindow = window;
    }
    return session;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    tavrino::WaylandStart wayland;
    const tavrino::posix::DisplayChoice choice = tavrino::posix::ChooseDisplaySystem(
        arguments, SessionFromEnvironment(), [&wayland] { return wayland.Connect(); });
    if (!choice.system) {
        std::fprintf(stderr, "%s\n", choice.problem.c_str());
        return 1;
    }
    if (*choice.system == tavrino::posix::DisplaySystem::Wayland) {
        return wayland.Run(arguments);
    }
    return tavrino::RunOnX11(arguments);
}
