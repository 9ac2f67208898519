// Dragging the title-less desktop clock with the left button. The pointer's position at the latest
// move without a button is the grab point, and the window moves by the pointer's displacement
// from it, so the spot under the pointer stays there. A locked window does not move, but the grab
// point keeps following the pointer, so that unlocking in the middle of a drag does not make the
// window jump. The arithmetic is done in twips, as it always was, so the window lands on the same
// pixel.
#pragma once

#include "program/Twips.h"
#include "seam/ClockWindow.h"

namespace tavrino {

class WindowDrag {
  public:
    void Follow(Window& window, const PointerMove& move, bool locked, const TwipsPerPixel& twips);

  private:
    float grabX_ = 0;
    float grabY_ = 0;
};

}  // namespace tavrino
