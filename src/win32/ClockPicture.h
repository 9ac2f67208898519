// The settings dialog's picture of the clock: our own face, drawn once at a fixed time with blue
// digits, as a 24-bit bitmap the picture control shows.
#pragma once

#include "win32/Handles.h"

namespace tavrino::win32 {

// A 24-bit DIB section of width x height pixels; empty if it cannot be made.
UniqueGdiObject DrawClockPicture(int width, int height);

}  // namespace tavrino::win32
