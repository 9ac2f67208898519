// The run's shared state: the public members of the main window frmMain. The load event fills
// them once; the settings dialog reads them by name, and writes TValue when its slider moves.
// Before the load event every text is empty and every number 0.
#pragma once

#include <cstdint>
#include <string>

#include "seam/Platform.h"

namespace tavrino {

struct MainMembers {
    std::string RN;   // application name in the settings store
    std::string PN;   // section name in the settings store; the desktop window's caption
    std::string VER;  // version text shown by the settings dialog
    std::string SC;   // ".scr" in the screensaver run modes, appended to three settings keys
    float TWX = 0;    // twips per pixel, horizontal
    float TWY = 0;    // twips per pixel, vertical
    std::int16_t TValue = 0;   // translucency amount, 0 opaque
    std::int16_t TFaderX = 0;  // 1: fade in at start and out at the end
    std::int16_t CkOT = 0;     // 1: the load event puts the window into the topmost band
    Flag PStart = kFalse;      // full-screen screensaver ("/S")
    Flag PConfig = kFalse;     // configuration ("/C")
    Flag PPreview = kFalse;    // preview in the screensaver host's window ("/P")
};

}  // namespace tavrino
