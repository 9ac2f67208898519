// What the X11 frontend's event loop offers the frontend's other parts: waking up for further
// file descriptors (a pipe to a helper program, a signal), and running the loop until a condition
// holds (a modal dialog).
#pragma once

#include <functional>

namespace tavrino::posix {

class DescriptorWatch {
  public:
    virtual ~DescriptorWatch() = default;
    // Calls onReadable from the loop whenever fd can be read or was hung up, until Unwatch.
    virtual void Watch(int fd, std::function<void()> onReadable) = 0;
    // Safe from inside fd's own onReadable.
    virtual void Unwatch(int fd) = 0;
    // Handles events until done() holds (checked after each one) or the loop is stopped.
    virtual void RunUntil(const std::function<bool()>& done) = 0;

  protected:
    DescriptorWatch() = default;
    DescriptorWatch(const DescriptorWatch&) = default;
    DescriptorWatch& operator=(const DescriptorWatch&) = default;
};

}  // namespace tavrino::posix
