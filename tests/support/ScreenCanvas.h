// A window's view of a canvas for tests: what is drawn reaches the "screen" only where it is
// presented, so a test sees what a window would show rather than what the canvas holds.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "seam/Image.h"
#include "surface/MemoryCanvas.h"
#include "surface/Pixmap.h"

namespace tavrino {

class ScreenCanvas final : public Canvas {
  public:
    ScreenCanvas(int width, int height)
        : image_(width, height), screen_(static_cast<std::size_t>(width * height), 0u) {}
    ImageBuffer Pixels() override { return image_.Pixels(); }
    void Present(const PixelRect& changed) override {
        const ImageBuffer image = image_.Pixels();
        for (int y = changed.top; y < changed.bottom; ++y) {
            const auto row = static_cast<std::ptrdiff_t>(y) * image.width;
            std::copy(image.pixels + row + changed.left, image.pixels + row + changed.right,
                      screen_.begin() + row + changed.left);
        }
        presented = changed;
    }
    PixmapView Screen() const {
        const int width = image_.View().width;
        return {width, image_.View().height, width, screen_.data()};
    }
    PixelRect presented;

  private:
    MemoryCanvas image_;
    std::vector<std::uint32_t> screen_;
};

// How many pixels of two images of the same size differ.
inline int DifferingPixels(const PixmapView& a, const PixmapView& b) {
    int differing = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
        }
    }
    return differing;
}

}  // namespace tavrino
