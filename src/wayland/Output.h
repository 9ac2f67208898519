// One output of the compositor and the clock's layer surface on it: its logical place and size on
// the desk (xdg-output), its scale, and a layer surface over all of it (namespace "tavrino",
// anchored to every edge, the compositor's size, no exclusive zone): the screensaver's on the
// overlay layer, taking the keyboard, or the display module's on the background layer, taking no
// input at all. The desktop clock's outputs have no surface of their own.
// The scale is the output's integer one until the compositor prefers a fractional scale for the
// surface, where it offers those and viewports: the buffer is then drawn at the logical size times
// that scale and shown at the logical size through the viewport. The surface's configure is acked
// at once; a buffer is committed only when its size is the configured size at the scale. A change
// of place, scale or size is reported to the owner, which lays the canvas out anew.
#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <functional>

#include "seam/Geometry.h"
#include "wayland/Connection.h"
#include "wayland/OutputStack.h"

namespace tavrino::wayland {

enum class SurfaceKind { Screensaver, Background, None };

class Output {
  public:
    Output(const Connection& connection, std::uint32_t name, std::uint32_t version,
           SurfaceKind kind, std::function<void()> onChange);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output();

    std::uint32_t Name() const { return name_; }
    // The place in the stack; of unknown size until configured, and once the surface is closed.
    OutputPlace Place() const;
    // Pixels per logical unit.
    double Scale() const { return ScaleIn120ths() / 120.0; }
    int IntegerScale() const { return scale_; }
    // Its place and size on the desk, in logical units; empty while unknown.
    PixelRect LogicalRect() const;
    wl_output* Handle() const { return output_; }
    wl_surface* Surface() const { return surface_.get(); }

    // Shows the buffer (width x height pixels), of which `damage` changed, in the buffer's
    // pixels. Nothing is committed when the size is not the configured one: false then.
    bool Commit(wl_buffer* buffer, int width, int height, const PixelRect& damage);
    // Whether a buffer was committed: the compositor has mapped the surface.
    bool Mapped() const { return mapped_; }
    // Moves the surface under the overlay layer without the keys, for a dialog to come above it
    // and take them (sway draws a layer's newer surfaces under its older ones), or back.
    void MakeWayForDialog(bool makeWay);

  private:
    static void OnOutputGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t,
                                 std::int32_t, std::int32_t, const char*, const char*,
                                 std::int32_t) {}
    static void OnOutputMode(void* data, wl_output* output, std::uint32_t flags, std::int32_t width,
                             std::int32_t height, std::int32_t refresh);
    static void OnOutputDone(void* data, wl_output* output);
    static void OnOutputScale(void* data, wl_output* output, std::int32_t factor);
    static void OnLogicalPosition(void* data, zxdg_output_v1* output, std::int32_t x,
                                  std::int32_t y);
    static void OnLogicalSize(void* data, zxdg_output_v1* output, std::int32_t width,
                              std::int32_t height);
    static void OnXdgDone(void*, zxdg_output_v1*) {}
    static void OnXdgName(void*, zxdg_output_v1*, const char*) {}
    static void OnXdgDescription(void*, zxdg_output_v1*, const char*) {}
    static void OnConfigure(void* data, zwlr_layer_surface_v1* surface, std::uint32_t serial,
                            std::uint32_t width, std::uint32_t height);
    static void OnClosed(void* data, zwlr_layer_surface_v1* surface);
    static void OnPreferredScale(void* data, wp_fractional_scale_v1* scale,
                                 std::uint32_t scaleIn120ths);

    static const wl_output_listener kOutputListener;
    static const zxdg_output_v1_listener kXdgOutputListener;
    static const zwlr_layer_surface_v1_listener kLayerSurfaceListener;
    static const wp_fractional_scale_v1_listener kFractionalScaleListener;

    void CreateLayerSurface(const Connection& connection, SurfaceKind kind);
    void FollowFractionalScale(const Connection& connection);
    int ScaleIn120ths() const { return preferredScale_ > 0 ? preferredScale_ : scale_ * 120; }
    void ReportIfChanged();

    std::uint32_t name_;
    std::uint32_t version_;
    std::function<void()> onChange_;
    wl_output* output_ = nullptr;  // released by the destructor, by its version's request
    Proxy<zxdg_output_v1> xdgOutput_;
    Proxy<wl_surface> surface_;
    Proxy<zwlr_layer_surface_v1> layerSurface_;
    Proxy<wp_viewport> viewport_;
    Proxy<wp_fractional_scale_v1> fractionalScale_;
    int logicalX_ = 0;
    int logicalY_ = 0;
    int logicalWidth_ = 0;  // 0 until xdg-output tells it
    int logicalHeight_ = 0;
    int modeWidth_ = 0;  // the current mode, in pixels
    int modeHeight_ = 0;
    int scale_ = 1;
    int preferredScale_ = 0;  // in 120ths; 0 until the compositor prefers one
    int configuredWidth_ = 0;
    int configuredHeight_ = 0;
    bool closed_ = false;
    bool mapped_ = false;
    OutputPlace reported_{};
    PixelRect reportedLogical_{};
};

}  // namespace tavrino::wayland
