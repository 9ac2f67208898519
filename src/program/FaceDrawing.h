// The clock faces' look as the options choose it: the digit colour, and in the screensaver its
// own options.
#pragma once

#include "program/ClockFaces.h"
#include "program/Options.h"
#include "program/RunMode.h"
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

// The desktop clock always looks as it did: every face, in place, at full brightness.
inline FaceOptions FaceOptionsOf(const Options& options, RunMode mode) {
    if (mode == RunMode::Desktop) {
        return {};
    }
    return {.everyMonitor = options[CheckBox::AllMonitors] != CheckState::Clear,
            .drift = options[CheckBox::Drift] != CheckState::Clear,
            .brightness = options.brightness};
}

}  // namespace tavrino
