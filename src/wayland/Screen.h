// The screen as the clock sees it on Wayland: the monitors are the clock window's (the primary
// first, at 0,0). Wayland tells no resolution and has no docked bars of its own to leave out, and
// a client cannot move the pointer.
#pragma once

#include "seam/Screen.h"
#include "wayland/FrontendWindow.h"

namespace tavrino::wayland {

class Screen final : public tavrino::Screen {
  public:
    explicit Screen(const FrontendWindow& window) : window_(window) {}

    PixelsPerInch Resolution() const override { return {}; }
    PixelRect PrimaryMonitor() const override;
    std::vector<PixelRect> Monitors() const override { return window_.Monitors(); }
    PixelRect PrimaryWorkArea() const override { return PrimaryMonitor(); }
    void MovePointer(int /*x*/, int /*y*/) override {}

  private:
    const FrontendWindow& window_;
};

}  // namespace tavrino::wayland
