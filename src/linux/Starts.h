// The two starts of tavrino on Linux, one per display system. The Wayland start keeps the
// connection it made to learn whether layer shells are offered, and runs over it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "posix/DisplaySystemChoice.h"

namespace tavrino {

namespace wayland {
class Connection;
}

// The X11 program: the arguments are read as today's.
int RunOnX11(const std::vector<std::string>& arguments);

class WaylandStart {
  public:
    WaylandStart();
    WaylandStart(const WaylandStart&) = delete;
    WaylandStart& operator=(const WaylandStart&) = delete;
    ~WaylandStart();

    // Connects to the compositor, once.
    posix::LayerShellOffer Connect();
    // The full-screen screensaver, or the display module, over the connection made.
    int Run(const std::vector<std::string>& arguments);

  private:
    std::unique_ptr<wayland::Connection> connection_;
};

}  // namespace tavrino
