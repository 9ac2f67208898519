// The screen as user32 and gdi32 report it: the system's resolution, the primary monitor, every
// monitor, the primary work area, and the pointer's position.
#pragma once

#include <vector>

#include "seam/Screen.h"

namespace tavrino::win32 {

class Screen final : public tavrino::Screen {
  public:
    // A resolution the display does not report counts as 96 pixels per inch.
    PixelsPerInch Resolution() const override;
    PixelRect PrimaryMonitor() const override;
    std::vector<PixelRect> Monitors() const override;
    // The primary monitor itself when the system cannot tell its work area.
    PixelRect PrimaryWorkArea() const override;
    void MovePointer(int x, int y) override;
};

}  // namespace tavrino::win32
