// The raster drawing surface: a retained 32-bit image that keeps what is drawn on it until it is
// drawn over or cleared. Refresh hands the image to whoever presents it (a window, a PNG writer);
// by default nobody does.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "surface/Pixmap.h"
#include "surface/Surface.h"

namespace tavrino {

class RasterSurface final : public Surface {
  public:
    using Presenter = std::function<void(const PixmapView&)>;

    explicit RasterSurface(int width = 0, int height = 0, Colour background = 0x000000);

    // Gives the image a new size in pixels; the whole image is then the background colour.
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
};

}  // namespace tavrino
