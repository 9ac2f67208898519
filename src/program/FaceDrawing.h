// The clock face's digit colour as the options choose it.
#pragma once

#include "program/ClockFaces.h"
#include "seam/SettingsDialog.h"

namespace tavrino {

// Only a ticked box gives blue digits; a clear or greyed one gives green.
inline void ShowDigitColour(ClockFaces& face, CheckState blueDigits) {
    if (blueDigits == CheckState::Ticked) {
        face.SetBlueDigits();
    } else {
        face.SetGreenDigits();
    }
}

}  // namespace tavrino
