// The screen: its monitors, its resolution and the pointer's position on it.
#pragma once

#include <vector>

#include "seam/Geometry.h"

namespace tavrino {

struct PixelsPerInch {
    int x = 96;
    int y = 96;
    friend bool operator==(const PixelsPerInch&, const PixelsPerInch&) = default;
};

class Screen {
  public:
    virtual ~Screen() = default;
    virtual PixelsPerInch Resolution() const = 0;
    // The primary monitor, with its top left corner at 0,0.
    virtual PixelRect PrimaryMonitor() const = 0;
    virtual std::vector<PixelRect> Monitors() const = 0;
    // The primary monitor less the taskbar and other docked bars.
    virtual PixelRect PrimaryWorkArea() const = 0;
    virtual void MovePointer(int x, int y) = 0;

  protected:
    Screen() = default;
    Screen(const Screen&) = default;
    Screen& operator=(const Screen&) = default;
};

}  // namespace tavrino
