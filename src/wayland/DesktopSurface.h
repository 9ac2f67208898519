// The desktop clock's layer surface on one output (namespace "tavrino"): anchored to the output's
// top and left edges, placed by its margins and sized in logical units, on the top layer (always on
// top) or the bottom layer (under the windows), with the keyboard on demand (after a click). Its
// configure is acked at once; buffers are committed only once it came, at the output's integer
// scale. Each commit asks for the next frame's callback, which paces fades.
#pragma once

#include <wayland-client.h>

#include <functional>

#include "seam/Geometry.h"
#include "wayland/Connection.h"

namespace tavrino::wayland {

class DesktopSurface {
  public:
    // configured: the compositor answered the first commit, buffers can be shown now. closed: the
    // compositor took the surface away (its output went).
    DesktopSurface(const Connection& connection, wl_output* output, bool onTop,
                   std::function<void()> configured, std::function<void()> closed);
    DesktopSurface(const DesktopSurface&) = delete;
    DesktopSurface& operator=(const DesktopSurface&) = delete;
    ~DesktopSurface();

    wl_surface* Surface() const { return surface_.get(); }
    // place: margins from the output's corner and the size, in logical units. Committed at once.
    void Place(const PixelRect& place);
    void SetOnTop(bool onTop);
    // False until the compositor has answered the first commit.
    bool Commit(wl_buffer* buffer, int scale, const PixelRect& damage);
    // Whether the frame of the latest commit is still to come.
    bool FrameDue() const { return frame_ != nullptr; }

  private:
    static void OnConfigure(void* data, zwlr_layer_surface_v1* surface, std::uint32_t serial,
                            std::uint32_t width, std::uint32_t height);
    static void OnClosed(void* data, zwlr_layer_surface_v1* surface);
    static void OnFrame(void* data, wl_callback* callback, std::uint32_t time);
    static const zwlr_layer_surface_v1_listener kLayerSurfaceListener;
    static const wl_callback_listener kFrameListener;

    std::function<void()> configured_;
    std::function<void()> closed_;
    Proxy<wl_surface> surface_;
    Proxy<zwlr_layer_surface_v1> layerSurface_;
    Proxy<wl_callback> frame_;
    bool acked_ = false;
};

}  // namespace tavrino::wayland
