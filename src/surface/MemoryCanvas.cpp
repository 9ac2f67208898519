#include "surface/MemoryCanvas.h"

#include <algorithm>
#include <cstddef>

namespace tavrino {

MemoryCanvas::MemoryCanvas(int width, int height) {
    Resize(width, height);
}

void MemoryCanvas::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0u);
}

PixmapView MemoryCanvas::View() const {
    return {width_, height_, width_, pixels_.data()};
}

ImageBuffer MemoryCanvas::Pixels() {
    return {width_, height_, width_, pixels_.data()};
}

void MemoryCanvas::Present(const PixelRect& /*changed*/) {}

}  // namespace tavrino
