// The desk the desktop clock lives on: the outputs' logical rectangles as the compositor lays
// them out, moved so that the top-left corner of the box around them all is 0,0, where an X
// screen has it. The program's rectangles (and the stored ones) are in these desk coordinates on
// X11 and Wayland alike, whichever output counts as the primary.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "seam/Geometry.h"

namespace tavrino::wayland {

struct DeskOutput {
    std::uint32_t name = 0;  // the compositor's name of the output's global
    PixelRect logical;       // in the compositor's layout
};

class DeskLayout {
  public:
    // Outputs whose size is not known yet are left out.
    explicit DeskLayout(const std::vector<DeskOutput>& outputs);

    // Wayland names no primary output: it is the top-left-most one (smallest top, then left).
    std::optional<std::uint32_t> Primary() const;
    // The output's rectangle on the desk; empty for one left out.
    PixelRect OnDesk(std::uint32_t name) const;
    // The output that holds the middle of the rectangle; none when no output does.
    std::optional<std::uint32_t> Holding(const PixelRect& rect) const;
    // That output, or the primary one when none holds it.
    std::optional<std::uint32_t> OutputFor(const PixelRect& rect) const;
    // Where the rectangle lies on that output, from its corner: a layer surface's margins.
    PixelRect OnOutput(const PixelRect& rect, std::uint32_t name) const;
    // A rectangle whose middle is on no output, moved as little as it takes into the primary.
    PixelRect KeptOnDesk(const PixelRect& rect) const;
    // Every output on the desk, the primary first.
    std::vector<PixelRect> Monitors() const;

  private:
    std::vector<DeskOutput> outputs_;  // on the desk; the primary first
};

}  // namespace tavrino::wayland
