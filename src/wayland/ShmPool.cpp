#include "wayland/ShmPool.h"

#include <sys/mman.h>
#include <unistd.h>

#include <limits>

namespace tavrino::wayland {

const wl_buffer_listener ShmPool::kBufferListener{&ShmPool::OnRelease};

ShmPool::ShmPool(wl_shm* shm, const OutputStack& stack, std::uint32_t format) {
    const std::size_t bytes = stack.Bytes();
    if (bytes == 0 || bytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
        !MapMemory(bytes)) {
        return;
    }
    pool_.reset(wl_shm_create_pool(shm, memory_.Get(), static_cast<std::int32_t>(bytes)));
    const int strideBytes = stack.width * 4;
    for (const StackedOutput& output : stack.outputs) {
        auto slot = std::make_unique<OutputBuffer>();
        slot->pool = this;
        slot->buffer.reset(wl_shm_pool_create_buffer(pool_.get(), output.area.top * strideBytes,
                                                     output.area.Width(), output.area.Height(),
                                                     strideBytes, format));
        wl_buffer_add_listener(slot->buffer.get(), &kBufferListener, slot.get());
        buffers_.push_back(std::move(slot));
    }
}

ShmPool::~ShmPool() {
    buffers_.clear();
    pool_.reset();
    if (pixels_ != nullptr) {
        munmap(pixels_, bytes_);
    }
}

// Fresh memory is zero: the canvas starts black.
bool ShmPool::MapMemory(std::size_t bytes) {
    posix::UniqueDescriptor memory(memfd_create("tavrino-canvas", MFD_CLOEXEC));
    if (!memory.IsOpen() || ftruncate(memory.Get(), static_cast<off_t>(bytes)) != 0) {
        return false;
    }
    void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, memory.Get(), 0);
    if (mapped == MAP_FAILED) {
        return false;
    }
    memory_ = std::move(memory);
    bytes_ = bytes;
    pixels_ = static_cast<std::uint32_t*>(mapped);
    return true;
}

void ShmPool::OnRelease(void* data, wl_buffer* /*buffer*/) {
    auto& slot = *static_cast<OutputBuffer*>(data);
    slot.busy = false;
    if (slot.pool->released_) {
        slot.pool->released_();
    }
}

}  // namespace tavrino::wayland
