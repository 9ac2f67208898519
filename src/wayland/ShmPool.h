// One shared-memory pool (a memfd mapped into the process) that holds the whole stacked canvas,
// and one wl_buffer per output made from it at the output's first row, with the canvas's stride
// (XRGB8888, the canvas's 0x00RRGGBB, unless another format is asked for). A buffer is busy from
// its commit until the compositor releases it, which may call back.
#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "posix/UniqueDescriptor.h"
#include "wayland/OutputStack.h"
#include "wayland/Proxy.h"

namespace tavrino::wayland {

class ShmPool {
  public:
    // Check Valid(): making the memory can fail.
    ShmPool(wl_shm* shm, const OutputStack& stack, std::uint32_t format = WL_SHM_FORMAT_XRGB8888);
    ShmPool(const ShmPool&) = delete;
    ShmPool& operator=(const ShmPool&) = delete;
    ~ShmPool();

    bool Valid() const { return pixels_ != nullptr; }
    std::uint32_t* Pixels() const { return pixels_; }
    // The output's buffer, by its place in the stack.
    wl_buffer* Buffer(std::size_t output) const { return buffers_[output]->buffer.get(); }
    bool Busy(std::size_t output) const { return buffers_[output]->busy; }
    void MarkBusy(std::size_t output) { buffers_[output]->busy = true; }
    void OnReleased(std::function<void()> released) { released_ = std::move(released); }

  private:
    struct OutputBuffer {
        Proxy<wl_buffer> buffer;
        bool busy = false;
        const ShmPool* pool = nullptr;
    };
    static void OnRelease(void* data, wl_buffer* buffer);
    static const wl_buffer_listener kBufferListener;

    bool MapMemory(std::size_t bytes);

    posix::UniqueDescriptor memory_;
    std::size_t bytes_ = 0;
    std::uint32_t* pixels_ = nullptr;
    Proxy<wl_shm_pool> pool_;
    std::vector<std::unique_ptr<OutputBuffer>> buffers_;
    std::function<void()> released_;  // each at a fixed address, the listener's
};

}  // namespace tavrino::wayland
