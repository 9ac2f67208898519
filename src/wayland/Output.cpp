#include "wayland/Output.h"

#include <algorithm>

namespace tavrino::wayland {

namespace {

constexpr const char* kLayerNamespace = "tavrino";
constexpr std::uint32_t kAllEdges =
    ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

}  // namespace

const wl_output_listener Output::kOutputListener{&Output::OnOutputGeometry,
                                                 &Output::OnOutputMode,
                                                 &Output::OnOutputDone,
                                                 &Output::OnOutputScale,
                                                 [](void*, wl_output*, const char*) {},
                                                 [](void*, wl_output*, const char*) {}};
const zxdg_output_v1_listener Output::kXdgOutputListener{
    &Output::OnLogicalPosition, &Output::OnLogicalSize, &Output::OnXdgDone, &Output::OnXdgName,
    &Output::OnXdgDescription};
const zwlr_layer_surface_v1_listener Output::kLayerSurfaceListener{&Output::OnConfigure,
                                                                   &Output::OnClosed};
const wp_fractional_scale_v1_listener Output::kFractionalScaleListener{&Output::OnPreferredScale};

Output::Output(const Connection& connection, std::uint32_t name, std::uint32_t version,
               SurfaceKind kind, std::function<void()> onChange)
    : name_(name), version_(std::min(version, 3U)), onChange_(std::move(onChange)) {
    output_ = static_cast<wl_output*>(
        wl_registry_bind(connection.Registry(), name, &wl_output_interface, version_));
    wl_output_add_listener(output_, &kOutputListener, this);
    if (connection.OutputManager() != nullptr) {
        xdgOutput_.reset(
            zxdg_output_manager_v1_get_xdg_output(connection.OutputManager(), output_));
        zxdg_output_v1_add_listener(xdgOutput_.get(), &kXdgOutputListener, this);
    }
    if (kind == SurfaceKind::None) {
        return;
    }
    CreateLayerSurface(connection, kind);
    FollowFractionalScale(connection);
    // The first commit has no buffer: it asks the compositor for the surface's size.
    wl_surface_commit(surface_.get());
}

Output::~Output() {
    fractionalScale_.reset();
    viewport_.reset();
    layerSurface_.reset();
    surface_.reset();
    xdgOutput_.reset();
    if (version_ >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(output_);
    } else {
        wl_output_destroy(output_);
    }
}

void Output::CreateLayerSurface(const Connection& connection, SurfaceKind kind) {
    const bool background = kind == SurfaceKind::Background;
    surface_.reset(wl_compositor_create_surface(connection.Compositor()));
    layerSurface_.reset(zwlr_layer_shell_v1_get_layer_surface(
        connection.LayerShell(), surface_.get(), output_,
        background ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
        kLayerNamespace));
    zwlr_layer_surface_v1_add_listener(layerSurface_.get(), &kLayerSurfaceListener, this);
    zwlr_layer_surface_v1_set_size(layerSurface_.get(), 0, 0);
    zwlr_layer_surface_v1_set_anchor(layerSurface_.get(), kAllEdges);
    zwlr_layer_surface_v1_set_exclusive_zone(layerSurface_.get(), -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layerSurface_.get(), background ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                                        : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    if (background) {
        // An empty input region: no pointer or touch ever reaches the surface.
        const Proxy<wl_region> nothing(wl_compositor_create_region(connection.Compositor()));
        wl_surface_set_input_region(surface_.get(), nothing.get());
    }
}

void Output::FollowFractionalScale(const Connection& connection) {
    if (connection.FractionalScales() == nullptr) {
        return;
    }
    viewport_.reset(wp_viewporter_get_viewport(connection.Viewporter(), surface_.get()));
    fractionalScale_.reset(wp_fractional_scale_manager_v1_get_fractional_scale(
        connection.FractionalScales(), surface_.get()));
    wp_fractional_scale_v1_add_listener(fractionalScale_.get(), &kFractionalScaleListener, this);
}

OutputPlace Output::Place() const {
    const int bufferScale = preferredScale_ > 0 ? 1 : scale_;
    if (closed_) {
        return {name_, logicalX_, logicalY_, 0, 0, bufferScale};
    }
    return {name_,
            logicalX_,
            logicalY_,
            PixelsOfLogical(configuredWidth_, ScaleIn120ths()),
            PixelsOfLogical(configuredHeight_, ScaleIn120ths()),
            bufferScale};
}

// Without xdg-output the size is the mode's at the integer scale.
PixelRect Output::LogicalRect() const {
    const int width = logicalWidth_ > 0 ? logicalWidth_ : modeWidth_ / scale_;
    const int height = logicalHeight_ > 0 ? logicalHeight_ : modeHeight_ / scale_;
    return {logicalX_, logicalY_, logicalX_ + width, logicalY_ + height};
}

bool Output::Commit(wl_buffer* buffer, int width, int height, const PixelRect& damage) {
    const OutputPlace place = Place();
    if (width != place.pixelWidth || height != place.pixelHeight || width == 0 || height == 0) {
        return false;
    }
    wl_surface* surface = surface_.get();
    wl_surface_set_buffer_scale(surface, place.scale);
    if (preferredScale_ > 0) {
        wp_viewport_set_destination(viewport_.get(), configuredWidth_, configuredHeight_);
    }
    wl_surface_attach(surface, buffer, 0, 0);
    wl_surface_damage_buffer(surface, damage.left, damage.top, damage.Width(), damage.Height());
    wl_surface_commit(surface);
    mapped_ = true;
    return true;
}

void Output::ReportIfChanged() {
    const OutputPlace place = Place();
    const PixelRect logical = LogicalRect();
    if (place.logicalX == reported_.logicalX && place.logicalY == reported_.logicalY &&
        place.pixelWidth == reported_.pixelWidth && place.pixelHeight == reported_.pixelHeight &&
        place.scale == reported_.scale && logical == reportedLogical_) {
        return;
    }
    reported_ = place;
    reportedLogical_ = logical;
    onChange_();
}

void Output::OnOutputMode(void* data, wl_output* /*output*/, std::uint32_t flags,
                          std::int32_t width, std::int32_t height, std::int32_t /*refresh*/) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        auto& self = *static_cast<Output*>(data);
        self.modeWidth_ = width;
        self.modeHeight_ = height;
    }
}

void Output::OnLogicalSize(void* data, zxdg_output_v1* /*output*/, std::int32_t width,
                           std::int32_t height) {
    auto& self = *static_cast<Output*>(data);
    self.logicalWidth_ = width;
    self.logicalHeight_ = height;
}

void Output::OnOutputDone(void* data, wl_output* /*output*/) {
    static_cast<Output*>(data)->ReportIfChanged();
}

void Output::OnOutputScale(void* data, wl_output* /*output*/, std::int32_t factor) {
    static_cast<Output*>(data)->scale_ = std::max(factor, 1);
}

void Output::OnLogicalPosition(void* data, zxdg_output_v1* /*output*/, std::int32_t x,
                               std::int32_t y) {
    auto& self = *static_cast<Output*>(data);
    self.logicalX_ = x;
    self.logicalY_ = y;
}

void Output::MakeWayForDialog(bool makeWay) {
    if (!layerSurface_) {
        return;
    }
    zwlr_layer_surface_v1_set_layer(layerSurface_.get(), makeWay
                                                             ? ZWLR_LAYER_SHELL_V1_LAYER_TOP
                                                             : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layerSurface_.get(), makeWay ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                                     : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    wl_surface_commit(surface_.get());
}

void Output::OnConfigure(void* data, zwlr_layer_surface_v1* surface, std::uint32_t serial,
                         std::uint32_t width, std::uint32_t height) {
    auto& self = *static_cast<Output*>(data);
    zwlr_layer_surface_v1_ack_configure(surface, serial);
    self.configuredWidth_ = static_cast<int>(width);
    self.configuredHeight_ = static_cast<int>(height);
    self.ReportIfChanged();
}

void Output::OnPreferredScale(void* data, wp_fractional_scale_v1* /*scale*/,
                              std::uint32_t scaleIn120ths) {
    auto& self = *static_cast<Output*>(data);
    self.preferredScale_ = static_cast<int>(scaleIn120ths);
    self.ReportIfChanged();
}

void Output::OnClosed(void* data, zwlr_layer_surface_v1* /*surface*/) {
    auto& self = *static_cast<Output*>(data);
    self.closed_ = true;
    self.ReportIfChanged();
}

}  // namespace tavrino::wayland
