#include "program/MonitorLayout.h"

#include <algorithm>

namespace tavrino {

MonitorLayout LayOutMonitors(const std::vector<PixelRect>& monitors, const PixelRect& primary) {
    std::vector<PixelRect> shown;
    for (const PixelRect& monitor : monitors) {
        if (monitor.Width() > 0 && monitor.Height() > 0 &&
            std::find(shown.begin(), shown.end(), monitor) == shown.end()) {
            shown.push_back(monitor);
        }
    }
    if (shown.empty()) {
        shown.push_back(primary);
    }
    PixelRect window = shown.front();
    for (const PixelRect& monitor : shown) {
        window = {std::min(window.left, monitor.left), std::min(window.top, monitor.top),
                  std::max(window.right, monitor.right), std::max(window.bottom, monitor.bottom)};
    }
    MonitorLayout layout{window, {}};
    const auto primaryShown = std::find(shown.begin(), shown.end(), primary);
    if (primaryShown != shown.end()) {
        layout.primaryFace = static_cast<std::size_t>(primaryShown - shown.begin());
    }
    for (const PixelRect& monitor : shown) {
        layout.faces.push_back({monitor.left - window.left, monitor.top - window.top,
                                monitor.right - window.left, monitor.bottom - window.top});
    }
    return layout;
}

}  // namespace tavrino
