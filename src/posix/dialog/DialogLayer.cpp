#include "posix/dialog/DialogLayer.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "posix/dialog/DialogProtocol.h"

namespace tavrino::posix::dialog {

namespace {

// The output the clock named, or none (the compositor's choice) when it has no such output.
GdkMonitor* NamedMonitor(GdkDisplay* display, std::string_view index) {
    int number = -1;
    const auto read = std::from_chars(index.data(), index.data() + index.size(), number);
    if (read.ec != std::errc() || number < 0 || number >= gdk_display_get_n_monitors(display)) {
        return nullptr;
    }
    return gdk_display_get_monitor(display, number);
}

}  // namespace

bool MakeLayerSurface(GtkWindow* window) {
    const char* output = std::getenv(kWaylandOutputVariable);
    GdkDisplay* display = gdk_display_get_default();
    if (output == nullptr || !GDK_IS_WAYLAND_DISPLAY(display) || !gtk_layer_is_supported()) {
        return false;
    }
    gtk_layer_init_for_window(window);
    gtk_layer_set_namespace(window, "tavrino-settings");
    gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_OVERLAY);
    // Anchored to no edge, it is centred.
    gtk_layer_set_exclusive_zone(window, 0);
    gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_ON_DEMAND);
    gtk_layer_set_monitor(window, NamedMonitor(display, output));
    return true;
}

}  // namespace tavrino::posix::dialog
