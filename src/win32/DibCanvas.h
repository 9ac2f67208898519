// The clock window's canvas: a 32-bit top-down DIB section of the client area's size whose bits
// are the pixels the face is drawn into, so that what is drawn is shown without a copy. Present
// invalidates the changed part of the window, and the window's paint blits what needs painting.
#pragma once

#include <windows.h>

#include <cstdint>

#include "seam/Image.h"
#include "win32/Handles.h"

namespace tavrino::win32 {

// A top-down DIB section of width x height pixels at bitsPerPixel, with bits pointing at its
// first row; empty (and bits null) if it cannot be made.
UniqueGdiObject CreateTopDownDib(int width, int height, WORD bitsPerPixel, void*& bits);

class DibCanvas final : public Canvas {
  public:
    DibCanvas() = default;
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    ~DibCanvas() override = default;

    // The window whose client area shows the canvas; Present invalidates it.
    void ShowIn(HWND window) { window_ = window; }
    // A new, black bitmap when the size changes; none for an empty size or when it cannot be
    // made.
    void Resize(int width, int height);
    // Draws the canvas's part of area onto target; what lies beyond the bitmap is black.
    void Paint(HDC target, const RECT& area);

    ImageBuffer Pixels() override;
    void Present(const PixelRect& changed) override;

  private:
    HWND window_ = nullptr;
    UniqueGdiObject bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    // A blit may still be reading the bits: drawing waits for it once.
    bool blitPending_ = false;
};

}  // namespace tavrino::win32
