// The frontend's event loop: one poll() over the descriptors others watch (the display's
// connection, the signals, the wall clock, a helper program's socket) with the tick's deadline as
// its timeout. A connection that reads and queues events itself (a display's) is the one buffered
// source, which the loop drains before it sleeps. Once stopped it handles nothing more: every
// RunUntil returns, the outermost one too, so the frontend's Run ends and the program returns.
#pragma once

#include <functional>
#include <map>

#include "posix/DescriptorWatch.h"
#include "posix/LoopTicks.h"

namespace tavrino::posix {

// Events that arrive on a descriptor but are read and queued by a library of their own, so that
// poll() does not see those already read (Xlib reads events while it waits for a reply).
class BufferedEventSource {
  public:
    virtual ~BufferedEventSource() = default;
    virtual int Descriptor() const = 0;
    // Handles the events queued or readable now; true as soon as done() holds.
    virtual bool HandleEvents(const std::function<bool()>& done) = 0;
    // Sends out what is still buffered for the other side; true when events are queued already,
    // so that the loop must not sleep.
    virtual bool PrepareToSleep() = 0;

  protected:
    BufferedEventSource() = default;
    BufferedEventSource(const BufferedEventSource&) = default;
    BufferedEventSource& operator=(const BufferedEventSource&) = default;
};

class EventLoop final : public DescriptorWatch {
  public:
    explicit EventLoop(LoopTicks& ticks) : ticks_(ticks) {}

    void SetBufferedSource(BufferedEventSource& source) { source_ = &source; }

    void Watch(int fd, std::function<void()> onReadable) override;
    void Unwatch(int fd) override;
    void RunUntil(const std::function<bool()>& done) override;
    // Handles every event that is waiting now, and a tick that is due, without waiting.
    void RunPending();
    // From now on nothing is handled: the running handler is the last, and every RunUntil
    // returns once it is done.
    void Stop() { stopped_ = true; }
    bool Stopped() const { return stopped_; }

  private:
    bool HandleBufferedEvents(const std::function<bool()>& done);
    // Waits up to timeout milliseconds (-1: without end) and handles the descriptors that woke it;
    // true once done() holds.
    bool PollOnce(int timeout, const std::function<bool()>& done);

    LoopTicks& ticks_;
    BufferedEventSource* source_ = nullptr;
    std::map<int, std::function<void()>> watches_;
    bool stopped_ = false;
};

}  // namespace tavrino::posix
