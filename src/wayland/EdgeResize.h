// Resizing the desktop clock by its edges, which the program does itself where the compositor
// resizes no layer surfaces: a press in the band along an edge (or in a corner, both edges) grabs
// it, and the grabbed edges follow the pointer while the opposite ones stay put.
#pragma once

#include "seam/Geometry.h"

namespace tavrino::wayland {

struct GrabbedEdges {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;

    bool Any() const { return left || top || right || bottom; }
};

// The edges a press at x, y (from the window's corner) grabs in a window of this size.
GrabbedEdges EdgesAt(int x, int y, int width, int height);

// The rectangle once the grabbed edges moved by dx, dy; no side gets shorter than minimum.
PixelRect Resized(const PixelRect& start, const GrabbedEdges& edges, int dx, int dy, int minimum);

}  // namespace tavrino::wayland
