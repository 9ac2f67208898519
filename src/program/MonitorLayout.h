// Where the full-screen clock goes on a desk of several monitors: one window over the bounding box
// of them all, and in it a face on each monitor, sized to that monitor.
#pragma once

#include <cstddef>
#include <vector>

#include "seam/Geometry.h"

namespace tavrino {

struct MonitorLayout {
    PixelRect window;              // in screen coordinates; may start left of or above 0,0
    std::vector<PixelRect> faces;  // one per monitor, relative to the window's top left corner
    std::size_t primaryFace = 0;   // the primary monitor's, or the first when it has none
};

// Monitors without area, and a mirrored monitor's second report, get no face of their own. With
// no monitor left the primary monitor is used.
MonitorLayout LayOutMonitors(const std::vector<PixelRect>& monitors, const PixelRect& primary);

}  // namespace tavrino
