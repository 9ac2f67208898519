#include "program/FormMove.h"

namespace tavrino {

void FormMove::DragWindow(Form& form, int button, float x, float y, bool locked) {
    PointerX = x;
    PointerY = y;
    if (button == 0 || locked) {
        AnchorX = PointerX;
        AnchorY = PointerY;
        return;
    }
    if (button != 1) {
        return;  // right, middle or several buttons: neither a drag nor a new grab point
    }
    // Vertical first, then horizontal: two separate moves, as the window toolkit reports them.
    const float newTop = form.Top() - AnchorY + PointerY;
    const float newLeft = form.Left() - AnchorX + PointerX;
    form.SetTop(newTop);
    form.SetLeft(newLeft);
}

}  // namespace tavrino
