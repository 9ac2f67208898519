// The screen as the clock sees it on Wayland: the monitors are the outputs' rectangles in the
// stacked canvas (in pixels, the primary first at 0,0), since that is where the faces are drawn.
// Wayland tells no resolution and has no docked bars of its own to leave out, and a client cannot
// move the pointer.
#pragma once

#include "seam/Screen.h"
#include "wayland/OutputStack.h"

namespace tavrino::wayland {

class Screen final : public tavrino::Screen {
  public:
    explicit Screen(const OutputStack& stack) : stack_(stack) {}

    PixelsPerInch Resolution() const override { return {}; }
    PixelRect PrimaryMonitor() const override;
    std::vector<PixelRect> Monitors() const override;
    PixelRect PrimaryWorkArea() const override { return PrimaryMonitor(); }
    void MovePointer(int /*x*/, int /*y*/) override {}

  private:
    const OutputStack& stack_;
};

}  // namespace tavrino::wayland
