// The mouse of the Wayland end-to-end checks. A headless sway has no pointer device, so its seat
// offers clients no pointer at all; this program makes one with the virtual pointer protocol and
// moves and clicks it as told, one command a line on standard input:
//   move X Y WIDTH HEIGHT   the pointer to X, Y of a desk of WIDTH x HEIGHT (the outputs' layout)
//   press, release, click   the left button down, up, or both
// It answers "ok" once the compositor has handled the command (a round trip), so a check knows the
// clients under the pointer have been told, and ends at the end of its input.

#include <linux/input-event-codes.h>
#include <wayland-client.h>
#include <wlr-virtual-pointer-unstable-v1-client-protocol.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace {

template <auto Release>
struct ProxyDeleter {
    template <typename Proxy>
    void operator()(Proxy* proxy) const {
        Release(proxy);
    }
};

using Display = std::unique_ptr<wl_display, ProxyDeleter<wl_display_disconnect>>;
using Registry = std::unique_ptr<wl_registry, ProxyDeleter<wl_registry_destroy>>;
using PointerManager = std::unique_ptr<zwlr_virtual_pointer_manager_v1,
                                       ProxyDeleter<zwlr_virtual_pointer_manager_v1_destroy>>;
using VirtualPointer =
    std::unique_ptr<zwlr_virtual_pointer_v1, ProxyDeleter<zwlr_virtual_pointer_v1_destroy>>;

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t /*version*/) {
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        static_cast<PointerManager*>(data)->reset(static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1)));
    }
}

void OnGlobalRemove(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

constexpr wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

uint32_t NowMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SetLeftButton(zwlr_virtual_pointer_v1* pointer, wl_pointer_button_state state) {
    zwlr_virtual_pointer_v1_button(pointer, NowMilliseconds(), BTN_LEFT, state);
    zwlr_virtual_pointer_v1_frame(pointer);
}

// Sends what the command line asks for; false when it is no command.
bool Perform(const std::string& line, zwlr_virtual_pointer_v1* pointer) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "move") {
        uint32_t x = 0;
        uint32_t y = 0;
        uint32_t width = 0;
        uint32_t height = 0;
        if (!(words >> x >> y >> width >> height) || x >= width || y >= height) {
            return false;
        }
        zwlr_virtual_pointer_v1_motion_absolute(pointer, NowMilliseconds(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
    } else if (verb == "press" || verb == "click") {
        SetLeftButton(pointer, WL_POINTER_BUTTON_STATE_PRESSED);
    }
    if (verb == "release" || verb == "click") {
        SetLeftButton(pointer, WL_POINTER_BUTTON_STATE_RELEASED);
    }
    return verb == "move" || verb == "press" || verb == "release" || verb == "click";
}

}  // namespace

int main() {
    const Display display{wl_display_connect(nullptr)};
    if (!display) {
        std::cerr << "tavrino-virtual-pointer: no Wayland display to connect to\n";
        return 1;
    }
    PointerManager manager;
    const Registry registry{wl_display_get_registry(display.get())};
    wl_registry_add_listener(registry.get(), &kRegistryListener, &manager);
    wl_display_roundtrip(display.get());
    if (!manager) {
        std::cerr << "tavrino-virtual-pointer: the compositor offers no "
                  << zwlr_virtual_pointer_manager_v1_interface.name << "\n";
        return 1;
    }
    const VirtualPointer pointer{
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager.get(), nullptr)};
    wl_display_roundtrip(display.get());
    std::cout << "ready" << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
        if (!Perform(line, pointer.get())) {
            std::cout << "unknown command: " << line << std::endl;
            continue;
        }
        if (wl_display_roundtrip(display.get()) < 0) {
            std::cerr << "tavrino-virtual-pointer: the compositor closed the connection\n";
            return 1;
        }
        std::cout << "ok" << std::endl;
    }
    return 0;
}
