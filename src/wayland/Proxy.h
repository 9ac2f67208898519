// Every protocol object has an owner that destroys it: a unique_ptr whose deleter sends the
// object's own destructor request (wl_surface_destroy, zwlr_layer_surface_v1_destroy, ...), or the
// release request where its interface has one.
#pragma once

#include <memory>

struct wl_buffer;
struct wl_callback;
struct wl_compositor;
struct wl_display;
struct wl_keyboard;
struct wl_pointer;
struct wl_region;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_shm_pool;
struct wl_surface;
struct wp_fractional_scale_manager_v1;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct wp_viewporter;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace tavrino::wayland {

struct DestroyProxy {
    void operator()(wl_buffer* proxy) const;
    void operator()(wl_callback* proxy) const;
    void operator()(wl_compositor* proxy) const;
    void operator()(wl_display* display) const;  // disconnects
    void operator()(wl_keyboard* proxy) const;
    void operator()(wl_pointer* proxy) const;
    void operator()(wl_region* proxy) const;
    void operator()(wl_registry* proxy) const;
    void operator()(wl_seat* proxy) const;
    void operator()(wl_shm* proxy) const;
    void operator()(wl_shm_pool* proxy) const;
    void operator()(wl_surface* proxy) const;
    void operator()(wp_fractional_scale_manager_v1* proxy) const;
    void operator()(wp_fractional_scale_v1* proxy) const;
    void operator()(wp_viewport* proxy) const;
    void operator()(wp_viewporter* proxy) const;
    void operator()(zwlr_layer_shell_v1* proxy) const;
    void operator()(zwlr_layer_surface_v1* proxy) const;
    void operator()(zxdg_output_manager_v1* proxy) const;
    void operator()(zxdg_output_v1* proxy) const;
};

template <typename T>
using Proxy = std::unique_ptr<T, DestroyProxy>;

}  // namespace tavrino::wayland
