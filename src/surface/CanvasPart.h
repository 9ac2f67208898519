// A part of another canvas as a canvas of its own: its pixels are the part's, with the whole
// canvas's stride, and what it presents is presented at the part's place.
#pragma once

#include <algorithm>
#include <cstddef>

#include "seam/Image.h"

namespace tavrino {

class CanvasPart final : public Canvas {
  public:
    // `part` is in the whole canvas's pixels; whatever of it lies outside the canvas is left out.
    CanvasPart(Canvas& whole, const PixelRect& part) : whole_(whole), part_(part) {}

    ImageBuffer Pixels() override {
        const ImageBuffer whole = whole_.Pixels();
        const int left = std::clamp(part_.left, 0, whole.width);
        const int top = std::clamp(part_.top, 0, whole.height);
        const int width = std::clamp(part_.right, left, whole.width) - left;
        const int height = std::clamp(part_.bottom, top, whole.height) - top;
        if (width == 0 || height == 0) {
            return {};
        }
        const std::size_t first =
            static_cast<std::size_t>(top) * static_cast<std::size_t>(whole.stride) +
            static_cast<std::size_t>(left);
        return {width, height, whole.stride, whole.pixels + first};
    }

    void Present(const PixelRect& changed) override {
        const int left = std::max(part_.left, 0);
        const int top = std::max(part_.top, 0);
        whole_.Present(
            {changed.left + left, changed.top + top, changed.right + left, changed.bottom + top});
    }

  private:
    Canvas& whole_;
    PixelRect part_;
};

}  // namespace tavrino
