// The image a window shows: a 32-bit top-down DIB section holding the last presented frame of a
// raster surface, so that a repaint (uncovering, moving) shows it again without asking the
// surface. A new bitmap is made only when the image size changes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "surface/Pixmap.h"
#include "win32/Handles.h"

namespace tavrino::win32 {

// A top-down DIB section of width x height pixels at bitsPerPixel, with bits pointing at its
// first row; empty (and bits null) if it cannot be made.
UniqueGdiObject CreateTopDownDib(int width, int height, WORD bitsPerPixel, void*& bits);

class DibSection {
  public:
    // Copies image into the bitmap; false when no bitmap of its size could be made.
    bool Assign(const PixmapView& image);
    // Draws the bitmap with its top left corner at x, y of target.
    void Draw(HDC target, int x, int y) const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A pixel of the held image as 0x00RRGGBB.
    std::uint32_t At(int x, int y) const;
    // How many bitmaps this section has made over its life.
    int BitmapsMade() const { return bitmapsMade_; }

  private:
    UniqueGdiObject bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bitmapsMade_ = 0;
};

}  // namespace tavrino::win32
