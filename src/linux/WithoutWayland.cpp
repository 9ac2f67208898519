// The build without the Wayland frontend: there is never a compositor to speak to.
#include "linux/Starts.h"

namespace tavrino {

namespace wayland {
// Nothing to connect with.
class Connection {};
}  // namespace wayland

WaylandStart::WaylandStart() = default;
WaylandStart::~WaylandStart() = default;

posix::LayerShellOffer WaylandStart::Connect() {
    return posix::LayerShellOffer::NoConnection;
}

int WaylandStart::Run(const std::vector<std::string>& /*arguments*/) {
    return 1;
}

}  // namespace tavrino
