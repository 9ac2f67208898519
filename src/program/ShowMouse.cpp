#include "program/ShowMouse.h"

namespace tavrino {

void ShowMouse::SetCursorVisible(Flag makeVisible, Flag override) {
    if (makeVisible != kFalse) {
        if (CursorHidden == kTrue || override == kTrue) {
            CursorHidden = kFalse;
            platform_.ShowCursor(true);
        }
    } else if (CursorHidden == kFalse || override == kTrue) {
        CursorHidden = kTrue;
        platform_.ShowCursor(false);
    }
}

}  // namespace tavrino
