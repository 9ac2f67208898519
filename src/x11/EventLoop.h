// The frontend's event loop: one poll() over the X connection, the descriptors others watch (the
// signals, the wall clock, a helper program's pipe) and the tick's deadline. X events go to one
// handler, which the frontend gives.
#pragma once

#include <functional>
#include <map>

#include "x11/DescriptorWatch.h"
#include "x11/LoopTicks.h"
#include "x11/XHeaders.h"

namespace tavrino::x11 {

class EventLoop final : public DescriptorWatch {
  public:
    using EventHandler = std::function<void(XEvent&)>;

    EventLoop(Display* display, LoopTicks& ticks) : display_(display), ticks_(ticks) {}

    void SetEventHandler(EventHandler handler) { handler_ = std::move(handler); }

    void Watch(int fd, std::function<void()> onReadable) override;
    void Unwatch(int fd) override;
    void RunUntil(const std::function<bool()>& done) override;
    // Handles every event that is waiting now, and a tick that is due, without waiting.
    void RunPending();

  private:
    // Handles the X events already read or readable now; true once done() holds.
    bool HandleXEvents(const std::function<bool()>& done);
    // Waits up to timeout milliseconds (-1: without end) and handles the descriptors that woke it;
    // true once done() holds.
    bool PollOnce(int timeout, const std::function<bool()>& done);

    Display* display_;
    LoopTicks& ticks_;
    EventHandler handler_;
    std::map<int, std::function<void()>> watches_;
};

}  // namespace tavrino::x11
