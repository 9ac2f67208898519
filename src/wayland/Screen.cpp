#include "wayland/Screen.h"

namespace tavrino::wayland {

PixelRect Screen::PrimaryMonitor() const {
    return stack_.outputs.empty() ? PixelRect{} : stack_.outputs.front().area;
}

std::vector<PixelRect> Screen::Monitors() const {
    return stack_.Areas();
}

}  // namespace tavrino::wayland
