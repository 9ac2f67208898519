// What a run settles as it starts and both windows' logic then read: how the program was started,
// the screen's resolution and its twips per pixel, and the version text the settings dialog shows.
#pragma once

#include <string>

#include "program/RunMode.h"
#include "program/Twips.h"

namespace tavrino {

struct RunState {
    RunMode mode = RunMode::Desktop;
    PixelsPerInch resolution;
    TwipsPerPixel twips;  // at that resolution
    std::string versionText;
};

}  // namespace tavrino
