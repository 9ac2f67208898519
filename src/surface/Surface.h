// The drawing surface the clock face paints on: the few operations the
// face and the window's resize handling need, and nothing more. The surface keeps what is drawn
// until it is drawn over or cleared; Refresh makes the latest drawing visible.
#pragma once

#include <memory>

#include "seam/Geometry.h"
#include "surface/Colour.h"

namespace tavrino {

enum class FillMode { Solid, Transparent };

// A circle's rim is one unit wide and centred on the circle, so a circle paints nothing farther
// than this from its centre beyond its radius.
constexpr double kRimHalfWidth = 0.5;

class Surface {
  public:
    virtual ~Surface() = default;

    // Inner size in the surface's own drawing units (pixels for the raster surface).
    virtual double InnerWidth() const = 0;
    virtual double InnerHeight() const = 0;

    virtual FillMode GetFillMode() const = 0;
    virtual void SetFillMode(FillMode mode) = 0;
    virtual void SetFillColour(Colour colour) = 0;

    // A circle with centre (x, y) and the given radius, outlined in the rim colour and, while the
    // fill mode is solid, filled with the fill colour.
    virtual void Circle(float x, float y, float radius, Colour rim) = 0;
    // Erases to the background colour every pixel that a circle there of that radius paints, and
    // nothing else, so that the dots of a face that moves can be taken away one by one.
    virtual void EraseCircle(float x, float y, float radius) = 0;

    // Erases the whole surface to its background colour.
    virtual void Clear() = 0;
    // Presents what has been drawn or cleared since the last refresh.
    virtual void Refresh() = 0;

    // A surface of its own over a region of this one, in this one's units: its size is the region's
    // and its coordinates start at the region's top left corner. It must not outlive this one.
    virtual std::unique_ptr<Surface> Region(const PixelRect& region) = 0;

  protected:
    Surface() = default;
    Surface(const Surface&) = default;
    Surface& operator=(const Surface&) = default;
};

}  // namespace tavrino
