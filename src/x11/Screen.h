// The X screen as the clock sees it: its monitors from RandR 1.5 (else Xinerama, else the whole
// screen), the resolution of Xft.dpi, the work area of _NET_WORKAREA, and the pointer. The seam's
// rectangles have the primary monitor's corner at 0,0; RootOrigin says where that is on the root
// window, so the windows can place themselves.
#pragma once

#include <vector>

#include "seam/Screen.h"
#include "x11/Connection.h"

namespace tavrino::x11 {

// The resolution in an X resource text: Xft.dpi rounded to whole pixels per inch, or 96.
PixelsPerInch ResolutionOf(const char* resources);

class Screen final : public tavrino::Screen {
  public:
    Screen(Display* display, const Atoms& atoms);

    PixelsPerInch Resolution() const override;
    PixelRect PrimaryMonitor() const override;
    std::vector<PixelRect> Monitors() const override;
    PixelRect PrimaryWorkArea() const override;
    void MovePointer(int x, int y) override;

    // The primary monitor's top left corner on the root window.
    PixelRect RootOrigin() const;
    // Whether the event says the monitors changed; Xlib learns the screen's new size from it.
    bool IsMonitorChange(XEvent& event) const;

  private:
    // On the root window, the primary first.
    std::vector<PixelRect> MonitorsOnRoot() const;
    std::vector<PixelRect> RandrMonitors() const;
    std::vector<PixelRect> XineramaMonitors() const;

    Display* display_;
    const Atoms& atoms_;
    XWindow root_;
    bool randrMonitors_ = false;  // RandR 1.5 or later
    int randrEventBase_ = 0;
};

}  // namespace tavrino::x11
