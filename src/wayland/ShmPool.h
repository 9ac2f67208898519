// One shared-memory pool (a memfd mapped into the process) that holds the whole stacked canvas,
// and one wl_buffer per output made from it at the output's first row, with the canvas's stride
// (XRGB8888, the canvas's 0x00RRGGBB). A buffer is busy from its commit until the compositor
// releases it.
#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "posix/UniqueDescriptor.h"
#include "wayland/OutputStack.h"
#include "wayland/Proxy.h"

namespace tavrino::wayland {

class ShmPool {
  public:
    // Check Valid(): making the memory can fail.
    ShmPool(wl_shm* shm, const OutputStack& stack);
    ShmPool(const ShmPool&) = delete;
    ShmPool& operator=(const ShmPool&) = delete;
    ~ShmPool();

    bool Valid() const { return pixels_ != nullptr; }
    std::uint32_t* Pixels() const { return pixels_; }
    // The output's buffer, by its place in the stack.
    wl_buffer* Buffer(std::size_t output) const { return buffers_[output]->buffer.get(); }
    bool Busy(std::size_t output) const { return buffers_[output]->busy; }
    void MarkBusy(std::size_t output) { buffers_[output]->busy = true; }

  private:
    struct OutputBuffer {
        Proxy<wl_buffer> buffer;
        bool busy = false;
    };
    static void OnRelease(void* data, wl_buffer* buffer);
    static const wl_buffer_listener kBufferListener;

    bool MapMemory(std::size_t bytes);

    posix::UniqueDescriptor memory_;
    std::size_t bytes_ = 0;
    std::uint32_t* pixels_ = nullptr;
    Proxy<wl_shm_pool> pool_;
    std::vector<std::unique_ptr<OutputBuffer>> buffers_;  // each at a fixed address, the listener's
};

}  // namespace tavrino::wayland
