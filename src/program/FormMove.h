// Dragging the title-less clock window with the left mouse button (module mFormMove). The module
// remembers the pointer position of the latest move without a button as the grab point and moves
// the window by the pointer's displacement from it, so the spot under the pointer stays there.
// The position lock of the settings is honoured here as well: a locked window does not move, but
// the grab point keeps following the pointer so that unlocking in the middle of a drag does not
// make the window jump.
#pragma once

#include "seam/Platform.h"

namespace tavrino {

class FormMove {
  public:
    // button: 1 left, 2 right, 4 middle, combined as bits; x, y: the pointer in twips within the
    // window's client area, the unit of the window's Left and Top.
    void DragWindow(Form& form, int button, float x, float y, bool locked);

  private:
    float PointerX = 0;
    float PointerY = 0;
    float AnchorX = 0;
    float AnchorY = 0;
};

}  // namespace tavrino
