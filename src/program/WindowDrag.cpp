#include "program/WindowDrag.h"

namespace tavrino {

namespace {

bool LeftButtonOnly(const PointerMove& move) {
    return move.left && !move.right && !move.middle;
}

}  // namespace

void WindowDrag::Follow(Window& window, const PointerMove& move, bool locked,
                        const TwipsPerPixel& twips) {
    const float pointerX = twips.TwipsX(move.x);
    const float pointerY = twips.TwipsY(move.y);
    if (move.NoButton() || locked) {
        grabX_ = pointerX;
        grabY_ = pointerY;
        return;
    }
    if (!LeftButtonOnly(move)) {
        return;  // right, middle or several buttons: neither a drag nor a new grab point
    }
    const PixelRect rect = window.Rect();
    const float left = twips.TwipsX(rect.left) - grabX_ + pointerX;
    const float top = twips.TwipsY(rect.top) - grabY_ + pointerY;
    window.SetRect(MovedTo(rect, twips.PixelsX(left), twips.PixelsY(top)));
}

}  // namespace tavrino
