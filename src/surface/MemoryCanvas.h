// A canvas in ordinary memory, for drawing that no window shows: the render tool's picture, the
// settings dialog's picture of the clock, tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "seam/Image.h"
#include "surface/Pixmap.h"

namespace tavrino {

class MemoryCanvas final : public Canvas {
  public:
    // A negative side counts as 0. New pixels are black.
    explicit MemoryCanvas(int width = 0, int height = 0);

    void Resize(int width, int height);
    PixmapView View() const;

    ImageBuffer Pixels() override;
    // The pixels are read where they are; there is nothing to show.
    void Present(const PixelRect& changed) override;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace tavrino
