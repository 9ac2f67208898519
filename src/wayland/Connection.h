// The connection to the compositor and its globals: the compositor, shared memory, the layer
// shell, the output manager of xdg-output, the seat, and where offered the viewporter and the
// fractional scales are bound once when they are announced;
// outputs come and go while the program runs and are reported to whoever listens
// (SetOutputListener). The connection is the one of WAYLAND_SOCKET or WAYLAND_DISPLAY.
#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <functional>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wayland/LayerShellProtocol.h"
#include "wayland/Proxy.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace tavrino::wayland {

using UniqueDisplay = Proxy<wl_display>;

struct OutputListener {
    std::function<void(std::uint32_t name, std::uint32_t version)> added;
    std::function<void(std::uint32_t name)> removed;
};

class Connection {
  public:
    // Connects and learns the globals; Display() is empty when there is no compositor.
    Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    wl_display* Display() const { return display_.get(); }
    wl_registry* Registry() const { return registry_.get(); }
    wl_compositor* Compositor() const { return compositor_.get(); }
    wl_shm* SharedMemory() const { return shm_.get(); }
    zwlr_layer_shell_v1* LayerShell() const { return layerShell_.get(); }
    zxdg_output_manager_v1* OutputManager() const { return outputManager_.get(); }
    wl_seat* Seat() const { return seat_.get(); }
    // Both or neither: a fractional scale is shown through a viewport.
    wp_viewporter* Viewporter() const { return fractionalScales_ ? viewporter_.get() : nullptr; }
    wp_fractional_scale_manager_v1* FractionalScales() const {
        return viewporter_ ? fractionalScales_.get() : nullptr;
    }

    // Reports the outputs known so far at once, then each one added or removed later; an empty
    // listener hears nothing more.
    void SetOutputListener(OutputListener listener);

  private:
    static const wl_registry_listener kRegistryListener;
    static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    void BindGlobal(std::uint32_t name, const char* interface, std::uint32_t version);

    UniqueDisplay display_;
    Proxy<wl_registry> registry_;
    Proxy<wl_compositor> compositor_;
    Proxy<wl_shm> shm_;
    Proxy<zwlr_layer_shell_v1> layerShell_;
    Proxy<zxdg_output_manager_v1> outputManager_;
    Proxy<wl_seat> seat_;
    Proxy<wp_viewporter> viewporter_;
    Proxy<wp_fractional_scale_manager_v1> fractionalScales_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> outputs_;  // name, version
    OutputListener outputListener_;
};

}  // namespace tavrino::wayland
