// What the clock window and the settings dialog have in common: a top-level window with a place
// on the screen. Rectangles are the window's outer edges in pixels, on the screen (or, for a
// window attached to a host, in the host's client area). A failing request leaves the window as
// it was.
#pragma once

#include <cstdint>
#include <string_view>

#include "seam/Geometry.h"

namespace tavrino {

// A window of another program that one of ours is shown in or belongs to (a screensaver host's),
// as the host names it.
using HostWindowId = std::intptr_t;

class Window {
  public:
    virtual ~Window() = default;

    virtual PixelRect Rect() const = 0;
    virtual void SetRect(const PixelRect& rect) = 0;

    virtual bool Visible() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Makes it the program's active window; it never takes the focus from another program.
    virtual void Focus() = 0;
    virtual void SetTitle(std::string_view title) = 0;
    // Into or out of the band of windows that stay above all others. Shows and activates it.
    virtual void SetOnTop(bool onTop) = 0;

  protected:
    Window() = default;
    Window(const Window&) = default;
    Window& operator=(const Window&) = default;
};

}  // namespace tavrino
