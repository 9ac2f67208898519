#include "wayland/Screen.h"

namespace tavrino::wayland {

PixelRect Screen::PrimaryMonitor() const {
    const std::vector<PixelRect> monitors = window_.Monitors();
    return monitors.empty() ? PixelRect{} : monitors.front();
}

}  // namespace tavrino::wayland
