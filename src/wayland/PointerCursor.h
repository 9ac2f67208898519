// The arrow of the user's cursor theme (XCURSOR_THEME and XCURSOR_SIZE, as other clients read
// them; libwayland-cursor's own arrow where there is no theme), shown over the desktop clock. The
// theme is loaded when the arrow is first shown: loading it takes longer than the clock's whole
// start.
#pragma once

#include <wayland-client.h>
#include <wayland-cursor.h>

#include <memory>

#include "wayland/Connection.h"

namespace tavrino::wayland {

class PointerCursor {
  public:
    explicit PointerCursor(const Connection& connection) : connection_(connection) {}

    // Hidden: no cursor at all.
    void ShowOn(wl_pointer* pointer, std::uint32_t serial, bool shown = true);

  private:
    struct DestroyTheme {
        void operator()(wl_cursor_theme* theme) const { wl_cursor_theme_destroy(theme); }
    };

    void Load();

    const Connection& connection_;
    bool loaded_ = false;
    std::unique_ptr<wl_cursor_theme, DestroyTheme> theme_;
    Proxy<wl_surface> surface_;
    wl_cursor_image* image_ = nullptr;  // the theme's
};

}  // namespace tavrino::wayland
