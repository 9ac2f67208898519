#include "wayland/PointerCursor.h"

#include <cstdlib>

namespace tavrino::wayland {

namespace {

constexpr int kDefaultSize = 24;

int CursorSize() {
    const char* size = std::getenv("XCURSOR_SIZE");
    const int parsed = size != nullptr ? std::atoi(size) : 0;
    return parsed > 0 ? parsed : kDefaultSize;
}

}  // namespace

void PointerCursor::Load() {
    loaded_ = true;
    theme_.reset(wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), CursorSize(),
                                      connection_.SharedMemory()));
    if (!theme_) {
        return;
    }
    wl_cursor* arrow = wl_cursor_theme_get_cursor(theme_.get(), "left_ptr");
    if (arrow == nullptr || arrow->image_count == 0) {
        return;
    }
    image_ = arrow->images[0];
    surface_.reset(wl_compositor_create_surface(connection_.Compositor()));
    wl_surface_attach(surface_.get(), wl_cursor_image_get_buffer(image_), 0, 0);
    wl_surface_damage_buffer(surface_.get(), 0, 0, static_cast<std::int32_t>(image_->width),
                             static_cast<std::int32_t>(image_->height));
    wl_surface_commit(surface_.get());
}

void PointerCursor::ShowOn(wl_pointer* pointer, std::uint32_t serial, bool shown) {
    if (shown && !loaded_) {
        Load();
    }
    if (!shown || image_ == nullptr) {
        wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
        return;
    }
    wl_pointer_set_cursor(pointer, serial, surface_.get(),
                          static_cast<std::int32_t>(image_->hotspot_x),
                          static_cast<std::int32_t>(image_->hotspot_y));
}

}  // namespace tavrino::wayland
