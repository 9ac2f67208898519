// What a frontend asks the program to start, read from its own command line: the run mode and,
// for the preview and the settings dialog alone, the window of another program the run lives
// in. The program draws a screensaver daemon's display module just as a preview: into the
// daemon's window, or into the root window.
#pragma once

#include "program/RunMode.h"
#include "seam/Window.h"

namespace tavrino {

struct StartRequest {
    RunMode mode = RunMode::Desktop;
    // The preview's host, the window the clock is shown in; or the window the settings dialog
    // belongs to (the system's screensaver settings). 0 when there is none or it was not
    // readable: a preview then ends at once, a dialog belongs to no one.
    HostWindowId hostWindow = 0;

    friend bool operator==(const StartRequest&, const StartRequest&) = default;
};

}  // namespace tavrino
