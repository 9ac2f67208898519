// The settings dialog's picture of the clock: our own face at one fixed moment, with blue digits,
// the same in every frontend's dialog.
#pragma once

#include "surface/Surface.h"

namespace tavrino {

// Draws the whole face on surface at ten past ten, which reads well and lights a third of the
// ring.
void DrawSettingsPicture(Surface& surface);

}  // namespace tavrino
