// How the outputs' images share one canvas: stacked top to bottom, each at the left edge, as wide
// as the widest output, so that one shared-memory pool holds them all and every output's buffer
// is a run of its rows. The primary output, the top-left-most by its logical place on the desk
// (the smallest y, then the smallest x; Wayland names no primary), comes first, at 0,0; the others
// follow in the same order. The canvas's rectangles of the outputs are the monitors the program
// lays its faces out on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <vector>

#include "seam/Geometry.h"

namespace tavrino::wayland {

// Outputs in their order on the desk: top to bottom, then left to right, then by name. The first
// counts as the primary one, since Wayland names none.
inline std::tuple<int, int, std::uint32_t> DeskOrder(int left, int top, std::uint32_t name) {
    return {top, left, name};
}

struct OutputPlace {
    std::uint32_t id = 0;  // the output's name in the registry
    int logicalX = 0;      // its place on the desk, in logical units
    int logicalY = 0;
    int pixelWidth = 0;  // its surface's configured size at its scale; 0 while unknown
    int pixelHeight = 0;
    int scale = 1;  // the buffer scale those pixels are shown at
};

struct StackedOutput {
    std::uint32_t id = 0;
    PixelRect area;  // in the canvas's pixels
    int scale = 1;
    friend bool operator==(const StackedOutput&, const StackedOutput&) = default;
};

struct OutputStack {
    int width = 0;  // in pixels, also each row's length
    int height = 0;
    std::vector<StackedOutput> outputs;  // the primary first; outputs of unknown size are left out

    std::size_t Bytes() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    }
    std::vector<PixelRect> Areas() const;
    friend bool operator==(const OutputStack&, const OutputStack&) = default;
};

OutputStack StackOutputs(std::vector<OutputPlace> outputs);

// The pixels a length of logical units covers at a scale in 120ths (the integer scale n is 120 n),
// rounded half away from zero.
int PixelsOfLogical(int logical, int scaleIn120ths);

// The part both rectangles cover; empty (zero width or height) when they do not meet.
PixelRect Intersection(const PixelRect& a, const PixelRect& b);
// The smallest rectangle that covers both; an empty one adds nothing.
PixelRect Covering(const PixelRect& a, const PixelRect& b);
// The rectangle moved by dx, dy.
PixelRect Moved(const PixelRect& rect, int dx, int dy);

}  // namespace tavrino::wayland
