#include "wayland/EdgeResize.h"

#include <algorithm>

namespace tavrino::wayland {

namespace {

// As wide as the band a window manager gives a borderless window.
constexpr int kResizeBand = 6;

}  // namespace

GrabbedEdges EdgesAt(int x, int y, int width, int height) {
    return {.left = x < kResizeBand,
            .top = y < kResizeBand,
            .right = x >= width - kResizeBand && x >= kResizeBand,
            .bottom = y >= height - kResizeBand && y >= kResizeBand};
}

PixelRect Resized(const PixelRect& start, const GrabbedEdges& edges, int dx, int dy, int minimum) {
    PixelRect rect = start;
    if (edges.left) {
        rect.left = std::min(start.left + dx, start.right - minimum);
    } else if (edges.right) {
        rect.right = std::max(start.right + dx, start.left + minimum);
    }
    if (edges.top) {
        rect.top = std::min(start.top + dy, start.bottom - minimum);
    } else if (edges.bottom) {
        rect.bottom = std::max(start.bottom + dy, start.top + minimum);
    }
    return rect;
}

}  // namespace tavrino::wayland
