#include "wayland/DesktopSurface.h"

#include <algorithm>

namespace tavrino::wayland {

namespace {

constexpr const char* kLayerNamespace = "tavrino";

std::uint32_t LayerOf(bool onTop) {
    return onTop ? ZWLR_LAYER_SHELL_V1_LAYER_TOP : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
}

}  // namespace

const zwlr_layer_surface_v1_listener DesktopSurface::kLayerSurfaceListener{
    &DesktopSurface::OnConfigure, &DesktopSurface::OnClosed};
const wl_callback_listener DesktopSurface::kFrameListener{&DesktopSurface::OnFrame};

DesktopSurface::DesktopSurface(const Connection& connection, wl_output* output, bool onTop,
                               std::function<void()> configured, std::function<void()> closed)
    : configured_(std::move(configured)), closed_(std::move(closed)) {
    surface_.reset(wl_compositor_create_surface(connection.Compositor()));
    layerSurface_.reset(zwlr_layer_shell_v1_get_layer_surface(
        connection.LayerShell(), surface_.get(), output, LayerOf(onTop), kLayerNamespace));
    zwlr_layer_surface_v1_add_listener(layerSurface_.get(), &kLayerSurfaceListener, this);
    zwlr_layer_surface_v1_set_anchor(
        layerSurface_.get(), ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    const bool onDemand = zwlr_layer_surface_v1_get_version(layerSurface_.get()) >=
                          ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND_SINCE_VERSION;
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layerSurface_.get(), onDemand ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND
                                      : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
}

DesktopSurface::~DesktopSurface() {
    frame_.reset();
    layerSurface_.reset();
    surface_.reset();
}

// The first place is committed without a buffer: it asks for the configure.
void DesktopSurface::Place(const PixelRect& place) {
    zwlr_layer_surface_v1_set_size(layerSurface_.get(),
                                   static_cast<std::uint32_t>(std::max(place.Width(), 1)),
                                   static_cast<std::uint32_t>(std::max(place.Height(), 1)));
    zwlr_layer_surface_v1_set_margin(layerSurface_.get(), place.top, 0, 0, place.left);
    wl_surface_commit(surface_.get());
}

void DesktopSurface::SetOnTop(bool onTop) {
    zwlr_layer_surface_v1_set_layer(layerSurface_.get(), LayerOf(onTop));
    wl_surface_commit(surface_.get());
}

bool DesktopSurface::Commit(wl_buffer* buffer, int scale, const PixelRect& damage) {
    if (!acked_) {
        return false;
    }
    wl_surface* surface = surface_.get();
    wl_surface_set_buffer_scale(surface, scale);
    wl_surface_attach(surface, buffer, 0, 0);
    wl_surface_damage_buffer(surface, damage.left, damage.top, damage.Width(), damage.Height());
    if (!frame_) {
        frame_.reset(wl_surface_frame(surface));
        wl_callback_add_listener(frame_.get(), &kFrameListener, this);
    }
    wl_surface_commit(surface);
    return true;
}

void DesktopSurface::OnConfigure(void* data, zwlr_layer_surface_v1* surface, std::uint32_t serial,
                                 std::uint32_t /*width*/, std::uint32_t /*height*/) {
    auto& self = *static_cast<DesktopSurface*>(data);
    zwlr_layer_surface_v1_ack_configure(surface, serial);
    if (!self.acked_) {
        self.acked_ = true;
        self.configured_();
    }
}

void DesktopSurface::OnClosed(void* data, zwlr_layer_surface_v1* /*surface*/) {
    static_cast<DesktopSurface*>(data)->closed_();
}

void DesktopSurface::OnFrame(void* data, wl_callback* /*callback*/, std::uint32_t /*time*/) {
    static_cast<DesktopSurface*>(data)->frame_.reset();
}

}  // namespace tavrino::wayland
