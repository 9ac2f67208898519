// The dialog's picture of the clock: our own face at a fixed time with blue digits, as a cairo
// image the picture control shows.
#pragma once

#include <cairo.h>

#include <memory>

namespace tavrino::posix::dialog {

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;

CairoSurface DrawClockPicture(int width, int height);

}  // namespace tavrino::posix::dialog
