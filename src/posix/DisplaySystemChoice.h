// Which display system a run of tavrino speaks, X11 or Wayland, from its arguments and the
// session's environment. A Wayland session with a compositor that offers layer shells gets the
// native Wayland client for the desktop clock, the full-screen screensaver (/s) and the display
// module on the desk (-root); the settings alone (/c), the preview (/p), and every session without
// layer shells (GNOME) stay the X11 program, through XWayland where that is the display. A daemon
// that hands over an X window always gets X11.
// --x11 and --wayland force one and are taken out of the arguments.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavrino::posix {

enum class DisplaySystem { X11, Wayland };

// The session's variables that decide it.
struct DisplaySession {
    bool waylandDisplay = false;  // WAYLAND_DISPLAY is set
    bool waylandSocket = false;   // WAYLAND_SOCKET is set: a connection handed over
    bool x11Display = false;      // DISPLAY is set
    std::optional<std::string> xscreensaverWindow;
};

// What connecting to the Wayland compositor found.
enum class LayerShellOffer { NoConnection, Missing, Offered };

struct DisplayChoice {
    // Empty when the run cannot go on: it ends with status 1 and `problem` on stderr.
    std::optional<DisplaySystem> system;
    std::string problem;
};

// probe connects to the compositor; it is called only when the answer depends on it.
DisplayChoice ChooseDisplaySystem(std::vector<std::string>& arguments,
                                  const DisplaySession& session,
                                  const std::function<LayerShellOffer()>& probe);

}  // namespace tavrino::posix
