// The raster drawing surface: a retained 32-bit image that keeps what is drawn on it until it is
// drawn over or cleared. Refresh hands the image to whoever presents it (a window, a PNG writer);
// by default nobody does.
//
// A circle is an anti-aliased dot: a rim one pixel wide centred on the circle, and inside it the
// fill colour while the fill mode is solid. Every pixel the dot touches becomes the rim and the
// fill in the exact shares of its area that they cover and the background colour for the rest,
// whatever it showed before: drawing a dot twice, or in other colours over itself, leaves just
// that dot. A transparent fill keeps what its share of the pixel held. Only the pixels of the
// dot's bounding box are touched, and drawing allocates nothing once the largest dot has been
// seen.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "surface/DiscCoverage.h"
#include "surface/Pixmap.h"
#include "surface/Surface.h"

namespace tavrino {

class RasterSurface final : public Surface {
  public:
    using Presenter = std::function<void(const PixmapView&)>;

    explicit RasterSurface(int width = 0, int height = 0, Colour background = 0x000000);

    // Gives the image a new size in pixels (a negative side counts as 0); the whole image is then
    // the background colour.
    void Resize(int width, int height);
    PixmapView Image() const;
    void SetPresenter(Presenter presenter);

    double InnerWidth() const override;
    double InnerHeight() const override;
    FillMode GetFillMode() const override;
    void SetFillMode(FillMode mode) override;
    void SetFillColour(Colour colour) override;
    void Circle(float x, float y, float radius, Colour rim) override;
    void Clear() override;
    void Refresh() override;

  private:
    int width_ = 0;
    int height_ = 0;
    Colour background_;
    Colour fill_ = 0x000000;
    FillMode fillMode_ = FillMode::Transparent;
    std::vector<std::uint32_t> pixels_;
    Presenter presenter_;

    // Pixel boundary lines of recent dots, for the rim's outer and inner edge.
    DiscAxisCache axes_;
};

}  // namespace tavrino
