// The desktop clock's stored window rectangle: read from the settings store in pixels, with the
// defaults standing in for values that are absent or not numbers, and brought back onto the
// screen when it lies wholly outside every monitor (a monitor that has since been removed).
#pragma once

#include <string_view>
#include <vector>

#include "seam/Platform.h"

namespace tavrino {

// The desktop and preview windows are never smaller than this many pixels in either direction.
constexpr float kMinimumWindowPixels = 32;

struct WindowRect {
    double left = 32;
    double top = 32;
    double width = 256;
    double height = 256;

    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Reads "WinLeft", "WinTop", "WinWidth" and "WinHeight" (defaults 32, 32, 256, 256). A value
// without a numeric start, or beyond the 32-bit range, reads as its default; a width or height
// below the window's minimum reads as the minimum.
WindowRect ReadWindowRect(Platform& platform, std::string_view application,
                          std::string_view section);

// A rectangle that overlaps some monitor is returned unchanged; one that lies wholly outside
// every monitor is moved into the work area, keeping its size.
WindowRect KeepOnScreen(const WindowRect& rect, const std::vector<PixelRect>& monitors,
                        const PixelRect& workArea);

}  // namespace tavrino
