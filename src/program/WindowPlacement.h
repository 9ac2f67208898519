// The desktop clock's stored window rectangle: read from the settings store in pixels, with the
// defaults standing in for values that are absent or not numbers, brought back onto the screen
// when it lies wholly outside every monitor (a monitor that has since been removed), and written
// back at the end of the run.
#pragma once

#include <vector>

#include "program/Twips.h"
#include "seam/Geometry.h"
#include "seam/SettingsStore.h"

namespace tavrino {

// The desktop and preview windows are never smaller than this many pixels in either direction.
constexpr int kMinimumWindowPixels = 32;
// Nor larger than this: the largest size the system's 16-bit size messages can carry. A stored
// size of billions of pixels would otherwise overflow the pixel and twips arithmetic.
constexpr int kMaximumWindowPixels = 32767;

// Stored values may have fractions; the window gets whole pixels only when it is placed.
struct WindowRect {
    double left = 32;
    double top = 32;
    double width = 256;
    double height = 256;

    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Reads "WinLeft", "WinTop", "WinWidth" and "WinHeight" (defaults 32, 32, 256, 256). A value
// without a numeric start, or beyond the 32-bit range, reads as its default; a width or height
// below the window's minimum reads as the minimum, one above its maximum as the maximum.
WindowRect ReadWindowRect(SettingsStore& store);

// A rectangle that overlaps some monitor is returned unchanged; one that lies wholly outside
// every monitor is moved into the work area, keeping its size.
WindowRect KeepOnScreen(const WindowRect& rect, const std::vector<PixelRect>& monitors,
                        const PixelRect& workArea);

// The window's rectangle for a stored one, each value taken through twips.
PixelRect PlacedRect(const WindowRect& rect, const TwipsPerPixel& twips);

// Stores the window's rectangle in pixels, each value taken through twips, in one write. A store
// that refuses keeps the previous rectangle; there is nothing else to do.
void StoreWindowRect(SettingsStore& store, const PixelRect& rect, const TwipsPerPixel& twips);

}  // namespace tavrino
