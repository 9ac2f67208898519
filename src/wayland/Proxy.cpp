#include "wayland/Proxy.h"

#include <wayland-client.h>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wayland/LayerShellProtocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace tavrino::wayland {

void DestroyProxy::operator()(wl_buffer* proxy) const {
    wl_buffer_destroy(proxy);
}
void DestroyProxy::operator()(wl_compositor* proxy) const {
    wl_compositor_destroy(proxy);
}
void DestroyProxy::operator()(wl_display* display) const {
    wl_display_disconnect(display);
}
void DestroyProxy::operator()(wl_keyboard* proxy) const {
    wl_keyboard_release(proxy);
}
void DestroyProxy::operator()(wl_pointer* proxy) const {
    wl_pointer_release(proxy);
}
void DestroyProxy::operator()(wl_region* proxy) const {
    wl_region_destroy(proxy);
}
void DestroyProxy::operator()(wl_registry* proxy) const {
    wl_registry_destroy(proxy);
}
void DestroyProxy::operator()(wl_seat* proxy) const {
    wl_seat_destroy(proxy);
}
void DestroyProxy::operator()(wl_shm* proxy) const {
    wl_shm_destroy(proxy);
}
void DestroyProxy::operator()(wl_callback* proxy) const {
    wl_callback_destroy(proxy);
}
void DestroyProxy::operator()(wl_shm_pool* proxy) const {
    wl_shm_pool_destroy(proxy);
}
void DestroyProxy::operator()(wl_surface* proxy) const {
    wl_surface_destroy(proxy);
}
void DestroyProxy::operator()(wp_fractional_scale_manager_v1* proxy) const {
    wp_fractional_scale_manager_v1_destroy(proxy);
}
void DestroyProxy::operator()(wp_fractional_scale_v1* proxy) const {
    wp_fractional_scale_v1_destroy(proxy);
}
void DestroyProxy::operator()(wp_viewport* proxy) const {
    wp_viewport_destroy(proxy);
}
void DestroyProxy::operator()(wp_viewporter* proxy) const {
    wp_viewporter_destroy(proxy);
}
void DestroyProxy::operator()(zwlr_layer_shell_v1* proxy) const {
    zwlr_layer_shell_v1_destroy(proxy);
}
void DestroyProxy::operator()(zwlr_layer_surface_v1* proxy) const {
    zwlr_layer_surface_v1_destroy(proxy);
}
void DestroyProxy::operator()(zxdg_output_manager_v1* proxy) const {
    zxdg_output_manager_v1_destroy(proxy);
}
void DestroyProxy::operator()(zxdg_output_v1* proxy) const {
    zxdg_output_v1_destroy(proxy);
}

}  // namespace tavrino::wayland
