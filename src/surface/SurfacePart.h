// A part of another surface, drawn on as a surface of its own: its size is the part's, and its
// coordinates start at the part's top left corner. The screensaver uses one per monitor, so that
// each monitor's face is laid out exactly as a face on a surface of that monitor's size.
#pragma once

#include "seam/Geometry.h"
#include "surface/Surface.h"

namespace tavrino {

class SurfacePart final : public Surface {
  public:
    // `part` is in the whole surface's units.
    SurfacePart(Surface& whole, const PixelRect& part) : whole_(whole), part_(part) {}

    double InnerWidth() const override { return part_.Width(); }
    double InnerHeight() const override { return part_.Height(); }
    FillMode GetFillMode() const override { return whole_.GetFillMode(); }
    void SetFillMode(FillMode mode) override { whole_.SetFillMode(mode); }
    void SetFillColour(Colour colour) override { whole_.SetFillColour(colour); }
    void Circle(float x, float y, float radius, Colour rim) override {
        whole_.Circle(x + static_cast<float>(part_.left), y + static_cast<float>(part_.top), radius,
                      rim);
    }
    // A part has no background of its own: clearing it clears the whole surface.
    void Clear() override { whole_.Clear(); }
    void Refresh() override { whole_.Refresh(); }

  private:
    Surface& whole_;
    PixelRect part_;
};

}  // namespace tavrino
