// A region of another canvas as a canvas of its own: its pixels are the region's, with the whole
// canvas's stride, and what it presents is presented at the region's place.
#pragma once

#include <algorithm>
#include <cstddef>

#include "seam/Image.h"

namespace tavrino {

class CanvasRegion final : public Canvas {
  public:
    // `region` is in the whole canvas's pixels; whatever of it lies outside the canvas is left out.
    CanvasRegion(Canvas& whole, const PixelRect& region) : whole_(whole), region_(region) {}

    ImageBuffer Pixels() override {
        const ImageBuffer whole = whole_.Pixels();
        const int left = std::clamp(region_.left, 0, whole.width);
        const int top = std::clamp(region_.top, 0, whole.height);
        const int width = std::clamp(region_.right, left, whole.width) - left;
        const int height = std::clamp(region_.bottom, top, whole.height) - top;
        if (width == 0 || height == 0) {
            return {};
        }
        const std::size_t first =
            static_cast<std::size_t>(top) * static_cast<std::size_t>(whole.stride) +
            static_cast<std::size_t>(left);
        return {width, height, whole.stride, whole.pixels + first};
    }

    void Present(const PixelRect& changed) override {
        const int left = std::max(region_.left, 0);
        const int top = std::max(region_.top, 0);
        whole_.Present(
            {changed.left + left, changed.top + top, changed.right + left, changed.bottom + top});
    }

    bool Blank() const override { return whole_.Blank(); }
    void Drawn(const PixelRect& box) override {
        const int left = std::max(region_.left, 0);
        const int top = std::max(region_.top, 0);
        whole_.Drawn({box.left + left, box.top + top, box.right + left, box.bottom + top});
    }

  private:
    Canvas& whole_;
    PixelRect region_;
};

}  // namespace tavrino
