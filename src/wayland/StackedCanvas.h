// The clock's canvas on Wayland: the outputs' images stacked in one shared-memory pool
// (OutputStack), drawn into directly. Present shows each output the changed rectangle touches:
// its part is damaged and the output's buffer committed. While the compositor still holds that
// buffer, a second pool of the same layout is shown instead, brought up to date by copying only
// the boxes drawn since it was shown last (after a new minute that is the dots, not the face's
// whole square).
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "seam/Image.h"
#include "wayland/OutputStack.h"
#include "wayland/ShmPool.h"

namespace tavrino::wayland {

class StackedCanvas final : public Canvas {
  public:
    // Commits a buffer of the output with this id: its pixel size and the part that changed,
    // in the buffer's pixels. False when it was not committed (nothing is shown yet): the
    // compositor then does not hold the buffer.
    using Committer = std::function<bool(std::uint32_t id, wl_buffer* buffer, int width, int height,
                                         const PixelRect& damage)>;

    StackedCanvas(wl_shm* shm, Committer committer);

    // A new, black image when the layout changes; the same layout keeps the pixels.
    void Relayout(const OutputStack& stack);
    const OutputStack& Stack() const { return stack_; }

    ImageBuffer Pixels() override;
    void Present(const PixelRect& changed) override;
    // A new layout's memory is fresh, all zero.
    bool Blank() const override { return inked_.Width() <= 0 || inked_.Height() <= 0; }
    void Drawn(const PixelRect& box) override;

  private:
    void PresentOutput(std::size_t index, const PixelRect& part);
    // The second pool as the image is now within the boxes of the output that it lacks.
    void BringSpareUpToDate(std::size_t index);
    void NoteBehind(std::size_t index, const PixelRect& box);

    wl_shm* shm_;
    Committer committer_;
    OutputStack stack_;
    std::optional<ShmPool> drawn_;  // the image the program draws into
    std::optional<ShmPool> spare_;
    std::vector<std::vector<PixelRect>> spareBehind_;  // per output: drawn since spare_ was shown
    std::vector<PixelRect> drawnSincePresent_;
    // What may not be black any more since the layout was made: a new spare buffer copies only
    // that.
    PixelRect inked_;
};

}  // namespace tavrino::wayland
