// The desktop clock's canvas on Wayland: the program draws into an image of its own, and Present
// copies what changed into a shared-memory buffer (ARGB8888, premultiplied) at the clock's
// opacity, which is committed with only that part damaged. While the compositor still holds that
// buffer a second one is used, brought up to date by copying what changed since it was shown
// last; while it holds both, the changes wait for the first one it releases. A new opacity shows
// the whole image again.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "seam/Image.h"
#include "wayland/ShmPool.h"

namespace tavrino::wayland {

// 0x00RRGGBB at an opacity of 0 (clear) to 255 (opaque), as premultiplied 0xAARRGGBB.
std::uint32_t Premultiplied(std::uint32_t colour, int opacity);

class DesktopCanvas final : public Canvas {
  public:
    // Commits the buffer with the changed part damaged, in its pixels; false when there is no
    // surface to show it on yet.
    using Committer = std::function<bool(wl_buffer* buffer, const PixelRect& damage)>;

    DesktopCanvas(wl_shm* shm, Committer committer);

    // A new, black image; the same size keeps the pixels.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetOpacity(int opacity);
    // Shows the whole image again (on a surface that is new).
    void ShowAll() { Present({0, 0, width_, height_}); }

    ImageBuffer Pixels() override;
    void Present(const PixelRect& changed) override;

  private:
    // The buffer to draw into now, made when first needed; empty while the compositor holds both.
    std::optional<std::size_t> FreeBuffer();
    void CopyInto(std::size_t buffer, const PixelRect& part);

    wl_shm* shm_;
    Committer committer_;
    int width_ = 0;
    int height_ = 0;
    int opacity_ = 255;
    std::vector<std::uint32_t> image_;
    std::array<std::optional<ShmPool>, 2> buffers_;
    std::array<PixelRect, 2> behind_{};  // per buffer: what changed since it was last drawn
    PixelRect waiting_{};                // changes not committed yet: both buffers were held
};

}  // namespace tavrino::wayland
