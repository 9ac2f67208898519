#include "wayland/Connection.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tavrino::wayland {

namespace {

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface,
        std::uint32_t offered, std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

}  // namespace

const wl_registry_listener Connection::kRegistryListener{&Connection::OnGlobal,
                                                         &Connection::OnGlobalRemove};

Connection::Connection() : display_(wl_display_connect(nullptr)) {
    if (!display_) {
        return;
    }
    registry_.reset(wl_display_get_registry(display_.get()));
    wl_registry_add_listener(registry_.get(), &kRegistryListener, this);
    wl_display_roundtrip(display_.get());
}

// The proxies go before the connection they belong to.
Connection::~Connection() {
    fractionalScales_.reset();
    viewporter_.reset();
    seat_.reset();
    outputManager_.reset();
    layerShell_.reset();
    shm_.reset();
    compositor_.reset();
    registry_.reset();
}

void Connection::SetOutputListener(OutputListener listener) {
    outputListener_ = std::move(listener);
    for (const auto& [name, version] : outputs_) {
        if (outputListener_.added) {
            outputListener_.added(name, version);
        }
    }
}

void Connection::OnGlobal(void* data, wl_registry* /*registry*/, std::uint32_t name,
                          const char* interface, std::uint32_t version) {
    static_cast<Connection*>(data)->BindGlobal(name, interface, version);
}

void Connection::OnGlobalRemove(void* data, wl_registry* /*registry*/, std::uint32_t name) {
    auto& self = *static_cast<Connection*>(data);
    const auto known = std::find_if(self.outputs_.begin(), self.outputs_.end(),
                                    [name](const auto& output) { return output.first == name; });
    if (known == self.outputs_.end()) {
        return;
    }
    self.outputs_.erase(known);
    if (self.outputListener_.removed) {
        self.outputListener_.removed(name);
    }
}

void Connection::BindGlobal(std::uint32_t name, const char* interface, std::uint32_t version) {
    wl_registry* registry = registry_.get();
    const std::string_view offered = interface;
    if (offered == wl_compositor_interface.name) {
        compositor_.reset(Bind<wl_compositor>(registry, name, wl_compositor_interface, version, 4));
    } else if (offered == wl_shm_interface.name) {
        shm_.reset(Bind<wl_shm>(registry, name, wl_shm_interface, version, 1));
    } else if (offered == zwlr_layer_shell_v1_interface.name) {
        layerShell_.reset(
            Bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface, version, 4));
    } else if (offered == zxdg_output_manager_v1_interface.name) {
        outputManager_.reset(Bind<zxdg_output_manager_v1>(
            registry, name, zxdg_output_manager_v1_interface, version, 3));
    } else if (offered == wl_seat_interface.name && !seat_) {
        seat_.reset(Bind<wl_seat>(registry, name, wl_seat_interface, version, 5));
    } else if (offered == wp_viewporter_interface.name) {
        viewporter_.reset(Bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1));
    } else if (offered == wp_fractional_scale_manager_v1_interface.name) {
        fractionalScales_.reset(Bind<wp_fractional_scale_manager_v1>(
            registry, name, wp_fractional_scale_manager_v1_interface, version, 1));
    } else if (offered == wl_output_interface.name) {
        outputs_.emplace_back(name, version);
        if (outputListener_.added) {
            outputListener_.added(name, version);
        }
    }
}

}  // namespace tavrino::wayland
