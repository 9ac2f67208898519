// The Wayland connection as the event loop's buffered source. Before the loop sleeps the queue is
// prepared for reading and the requests are flushed; afterwards what arrived is read and
// dispatched. The protocol's listeners only note what happened and post the program's part
// (Post), which runs once the dispatch is over, so that the program never runs inside
// libwayland's dispatch and sees a whole batch of events at once (a keyboard that leaves one of
// the clock's surfaces for another). A connection that breaks calls onLost once.
#pragma once

#include <wayland-client.h>

#include <functional>
#include <vector>

#include "posix/EventLoop.h"

namespace tavrino::wayland {

class WaylandEventSource final : public posix::BufferedEventSource {
  public:
    WaylandEventSource(wl_display* display, std::function<void()> onLost);
    WaylandEventSource(const WaylandEventSource&) = delete;
    WaylandEventSource& operator=(const WaylandEventSource&) = delete;
    ~WaylandEventSource() override;

    void Post(std::function<void()> call) { posted_.push_back(std::move(call)); }
    // Runs what was posted, in order, also what those calls post in turn.
    void RunPosted();

    // Reads and dispatches events until done() holds or the time is up; what they post waits
    // for the loop.
    void DispatchUntil(const std::function<bool()>& done, int timeoutMs);
    int Descriptor() const override { return wl_display_get_fd(display_); }
    bool HandleEvents(const std::function<bool()>& done) override;
    bool PrepareToSleep() override;

  private:
    // Reads what the descriptor has, when the queue was prepared for it.
    void ReadPrepared();
    void CheckConnection();

    wl_display* display_;
    std::function<void()> onLost_;
    std::vector<std::function<void()>> posted_;
    bool prepared_ = false;
    bool lost_ = false;
};

}  // namespace tavrino::wayland
