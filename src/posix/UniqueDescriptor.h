// An open file descriptor that is closed when its owner goes, so no path out of a function leaks
// one, and a lock taken on it ends with it.
#pragma once

#include <unistd.h>

#include <utility>

namespace tavrino::posix {

class UniqueDescriptor {
  public:
    UniqueDescriptor() = default;
    // Takes a descriptor as open() returns it, a failed call's result included.
    explicit UniqueDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~UniqueDescriptor() { Close(); }

    UniqueDescriptor(UniqueDescriptor&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, kClosed)) {}
    UniqueDescriptor& operator=(UniqueDescriptor&& other) noexcept {
        if (this != &other) {
            Close();
            descriptor_ = std::exchange(other.descriptor_, kClosed);
        }
        return *this;
    }
    UniqueDescriptor(const UniqueDescriptor&) = delete;
    UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;

    bool IsOpen() const { return descriptor_ >= 0; }
    int Get() const { return descriptor_; }

    // Closes it now. False when the close failed, which is where some file systems report a
    // write that did not reach the disk.
    bool Close() {
        if (!IsOpen()) {
            return true;
        }
        return ::close(std::exchange(descriptor_, kClosed)) == 0;
    }

  private:
    static constexpr int kClosed = -1;
    int descriptor_ = kClosed;
};

}  // namespace tavrino::posix
