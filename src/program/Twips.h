// Twips, 1/1440 of an inch: the unit the program has always done its window arithmetic in, and
// the unit the settings dialog is laid out in, while the frontend speaks pixels. Converting at the
// same places with the same rounding as ever keeps every window position, every control and every
// stored value exactly what it was: pixels become twips as pixels * twips per pixel in single
// precision; twips become pixels as twips / twips per pixel, rounded to the nearest pixel, halves
// away from zero.
#pragma once

#include "seam/Geometry.h"
#include "seam/Screen.h"

namespace tavrino {

// A box in twips: its left and top edges and its size.
struct TwipsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct TwipsPerPixel {
    float x = 15;
    float y = 15;

    // 1440 / pixels per inch; a resolution the frontend cannot tell (0 or less) counts as 96.
    static TwipsPerPixel Of(const PixelsPerInch& resolution);

    float TwipsX(int pixels) const { return static_cast<float>(pixels) * x; }
    float TwipsY(int pixels) const { return static_cast<float>(pixels) * y; }
    int PixelsX(float twips) const;
    int PixelsY(float twips) const;
    // The rectangle with that left edge, top edge, width and height in twips.
    PixelRect RectFromTwips(float left, float top, float width, float height) const;
    // The box with each of its edges rounded to the nearest pixel, so that boxes that meet in
    // twips meet on the screen.
    PixelRect BoxPixels(const TwipsBox& box) const;
    // The height of a font of that many points (20 twips a point) in whole pixels, rounded down,
    // so that no text grows faster than the layout around it: one that fits at 96 pixels an inch
    // fits at any resolution.
    int FontPixels(float points) const;
};

// The rectangle moved to left, top, keeping its size.
PixelRect MovedTo(const PixelRect& rect, int left, int top);

}  // namespace tavrino
