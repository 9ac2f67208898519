// The image the clock is drawn into. The frontend owns the pixels (a bitmap it can show as they
// are, with no copy) and the drawing surface writes into them; Present tells the frontend which
// part changed.
#pragma once

#include <cstdint>

#include "seam/Geometry.h"

namespace tavrino {

// A 32-bit image: each pixel is 0x00RRGGBB, rows top to bottom, `stride` pixels apart.
struct ImageBuffer {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::uint32_t* pixels = nullptr;
};

class Canvas {
  public:
    virtual ~Canvas() = default;
    // The pixels as they are now; empty while there is no area to draw on. Valid until the
    // canvas changes size.
    virtual ImageBuffer Pixels() = 0;
    // Shows what was drawn within `changed`.
    virtual void Present(const PixelRect& changed) = 0;
    // Whether every pixel is still 0 (black) as the memory was when the canvas got its size, so
    // that clearing to black has nothing to do. Only a frontend whose memory starts zeroed says
    // so, until Drawn. Not touching the pixels at all saves a large canvas its first page faults.
    virtual bool Blank() const { return false; }
    // The pixels within `box` were written, in any colour; every write is told, so that a canvas
    // keeping a copy of the image can bring it up to date box by box.
    virtual void Drawn(const PixelRect& /*box*/) {}

  protected:
    Canvas() = default;
    Canvas(const Canvas&) = default;
    Canvas& operator=(const Canvas&) = default;
};

}  // namespace tavrino
