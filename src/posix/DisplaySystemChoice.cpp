#include "posix/DisplaySystemChoice.h"

#include <algorithm>

#include "posix/DaemonArguments.h"

namespace tavrino::posix {

namespace {

// Stands for the root window while the arguments are read: no X window id is negative.
constexpr HostWindowId kRootWindow = -1;

enum class ModuleKind { None, InRoot, InXWindow };

// Takes --x11 and --wayland out of the arguments; the last one given counts.
std::optional<DisplaySystem> TakeForcedSystem(std::vector<std::string>& arguments) {
    std::optional<DisplaySystem> forced;
    for (const std::string& argument : arguments) {
        if (argument == "--x11") {
            forced = DisplaySystem::X11;
        } else if (argument == "--wayland") {
            forced = DisplaySystem::Wayland;
        }
    }
    std::erase_if(arguments, [](const std::string& argument) {
        return argument == "--x11" || argument == "--wayland";
    });
    return forced;
}

ModuleKind ModuleKindOf(const std::vector<std::string>& arguments,
                        const std::optional<std::string>& windowVariable) {
    const std::optional<StartRequest> module =
        ReadDaemonArguments(arguments, windowVariable, kRootWindow);
    if (!module) {
        return ModuleKind::None;
    }
    return module->hostWindow == kRootWindow ? ModuleKind::InRoot : ModuleKind::InXWindow;
}

// The runs the Wayland client does: the desktop clock, the full-screen screensaver and the module
// on the desk. The settings alone and the preview in a host's window stay X11 programs.
bool RunsNatively(const std::vector<std::string>& arguments, ModuleKind module) {
    if (module != ModuleKind::None) {
        return module == ModuleKind::InRoot;
    }
    const RunMode mode = ReadProgramSwitches(arguments).mode;
    return mode == RunMode::FullScreen || mode == RunMode::Desktop;
}

DisplayChoice Failure(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

DisplayChoice ForcedWayland(bool native, const std::function<LayerShellOffer()>& probe) {
    switch (probe()) {
        case LayerShellOffer::NoConnection:
            return Failure(
                "tavrino: --wayland: no Wayland compositor to connect to "
                "(WAYLAND_DISPLAY or WAYLAND_SOCKET).");
        case LayerShellOffer::Missing:
            return Failure(
                "tavrino: --wayland: the compositor does not offer layer shells "
                "(zwlr_layer_shell_v1).");
        case LayerShellOffer::Offered:
            break;
    }
    if (!native) {
        return Failure(
            "tavrino: --wayland: the settings (/c) and the preview (/p) run on X11 only; "
            "start them without --wayland.");
    }
    return {DisplaySystem::Wayland, {}};
}

}  // namespace

DisplayChoice ChooseDisplaySystem(std::vector<std::string>& arguments,
                                  const DisplaySession& session,
                                  const std::function<LayerShellOffer()>& probe) {
    const std::optional<DisplaySystem> forced = TakeForcedSystem(arguments);
    if (forced == DisplaySystem::X11) {
        return {DisplaySystem::X11, {}};
    }
    const ModuleKind module = ModuleKindOf(arguments, session.xscreensaverWindow);
    const bool native = RunsNatively(arguments, module);
    if (forced == DisplaySystem::Wayland) {
        return ForcedWayland(native, probe);
    }
    const bool waylandSession = module == ModuleKind::InRoot
                                    ? session.waylandSocket || !session.x11Display
                                    : session.waylandDisplay || session.waylandSocket;
    if (module == ModuleKind::InXWindow || !waylandSession || !native ||
        probe() != LayerShellOffer::Offered) {
        return {DisplaySystem::X11, {}};
    }
    return {DisplaySystem::Wayland, {}};
}

}  // namespace tavrino::posix
