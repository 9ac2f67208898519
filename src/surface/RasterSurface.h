// The raster drawing surface: draws into a canvas's 32-bit image, which keeps what is drawn on it
// until it is drawn over or cleared. The canvas owns the pixels (a window's bitmap, or memory) and
// sets the size; Refresh asks it to show the smallest rectangle that holds everything drawn or
// cleared since the last refresh.
//
// A circle is an anti-aliased dot: a rim one pixel wide centred on the circle, and inside it the
// fill colour while the fill mode is solid. Every pixel the dot touches becomes the rim and the
// fill in the exact shares of its area that they cover and the background colour for the rest,
// whatever it showed before: drawing a dot twice, or in other colours over itself, leaves just
// that dot. A transparent fill keeps what its share of the pixel held. Only the pixels of the
// dot's bounding box are touched. Dots are painted from masks of their coverage that the surface
// keeps (DotMask.h), so drawing allocates nothing once the dots of a face have been seen.
#pragma once

#include "seam/Image.h"
#include "surface/DiscCoverage.h"
#include "surface/DotMask.h"
#include "surface/Pixmap.h"
#include "surface/Surface.h"

namespace tavrino {

class RasterSurface : public Surface {
  public:
    // Clears the canvas to the background colour.
    explicit RasterSurface(Canvas& canvas, Colour background = 0x000000);

    // The canvas's image as it is now.
    PixmapView Image() const;

    double InnerWidth() const override;
    double InnerHeight() const override;
    FillMode GetFillMode() const override;
    void SetFillMode(FillMode mode) override;
    void SetFillColour(Colour colour) override;
    void Circle(float x, float y, float radius, Colour rim) override;
    void EraseCircle(float x, float y, float radius) override;
    void Clear() override;
    void Refresh() override;
    // Draws into that region of the canvas exactly as onto a canvas of the region's size.
    std::unique_ptr<Surface> Region(const PixelRect& region) override;

  private:
    Canvas& canvas_;
    Colour background_;
    Colour fill_ = 0x000000;
    FillMode fillMode_ = FillMode::Transparent;

    // What was drawn or cleared since the last refresh; empty when nothing was.
    PixelRect changed_;
    void NoteChange(const PixelRect& box);

    // Paints the dot in the colours of `rim`, `fill` and `solid`, over the background colour.
    void PaintDot(float x, float y, float radius, Colour rim, Colour fill, bool solid);
    // Works out the coverage of the dot whose bounding box starts at (left, top) into the mask.
    void MaskDot(float radius, double cx, double cy, int left, int top, DotMask& mask);

    // Pixel boundary lines of recent dots, for the rim's outer and inner edge.
    DiscAxisCache axes_;
    DotMaskCache masks_;
};

}  // namespace tavrino
