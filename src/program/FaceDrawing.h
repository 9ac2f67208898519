// The clock face's redraws and digit colours, named for what the program's windows ask of them.
#pragma once

#include "clockface/Tavrino.h"
#include "seam/SettingsDialog.h"

namespace tavrino {

inline void DrawWholeFace(Tavrino& face) {
    face.DrawClock(Redraw::Everything);
}

inline void DrawChangedParts(Tavrino& face) {
    face.DrawClock(Redraw::Changed);
}

// Only a ticked box gives blue digits; a clear or greyed one gives green.
inline void ShowDigitColour(Tavrino& face, CheckState blueDigits) {
    if (blueDigits == CheckState::Ticked) {
        face.SetBlueDigits();
    } else {
        face.SetGreenDigits();
    }
}

}  // namespace tavrino
