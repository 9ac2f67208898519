// A raster surface that draws into memory of its own, for pictures that no window shows: the
// render tool's PNG, the settings dialog's picture of the clock, tests and benchmarks.
#pragma once

#include "surface/MemoryCanvas.h"
#include "surface/RasterSurface.h"

namespace tavrino {

namespace detail {
// Holds the canvas, so that it exists before the surface that draws into it.
struct OwnedCanvas {
    MemoryCanvas canvas;
};
}  // namespace detail

class ImageSurface final : private detail::OwnedCanvas, public RasterSurface {
  public:
    explicit ImageSurface(int width = 0, int height = 0, Colour background = 0x000000)
        : OwnedCanvas{MemoryCanvas(width, height)}, RasterSurface(canvas, background) {}
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    // A new size in pixels (a negative side counts as 0), all of it the background colour.
    void Resize(int width, int height) {
        canvas.Resize(width, height);
        Clear();
    }
};

}  // namespace tavrino
