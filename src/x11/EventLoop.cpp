#include "x11/EventLoop.h"

#include <poll.h>

#include <vector>

namespace tavrino::x11 {

void EventLoop::Watch(int fd, std::function<void()> onReadable) {
    watches_[fd] = std::move(onReadable);
}

void EventLoop::Unwatch(int fd) {
    watches_.erase(fd);
}

void EventLoop::RunUntil(const std::function<bool()>& done) {
    while (!done()) {
        if (HandleXEvents(done)) {
            return;
        }
        ticks_.RaiseIfDue();
        if (done()) {
            return;
        }
        if (PollOnce(ticks_.PollTimeout(), done)) {
            return;
        }
    }
}

void EventLoop::RunPending() {
    const auto never = [] { return false; };
    HandleXEvents(never);
    PollOnce(0, never);
    HandleXEvents(never);
    ticks_.RaiseIfDue();
}

bool EventLoop::HandleXEvents(const std::function<bool()>& done) {
    while (XPending(display_) > 0) {
        XEvent event{};
        XNextEvent(display_, &event);
        if (handler_) {
            handler_(event);
        }
        if (done()) {
            return true;
        }
    }
    return false;
}

// The X connection is polled too: XPending reads what arrived on it the next time round. Events
// that Xlib has read already (while waiting for a reply) would not wake poll(): they are handled
// first.
bool EventLoop::PollOnce(int timeout, const std::function<bool()>& done) {
    XFlush(display_);
    if (XEventsQueued(display_, QueuedAlready) > 0) {
        timeout = 0;
    }
    std::vector<pollfd> descriptors{{XConnectionNumber(display_), POLLIN, 0}};
    for (const auto& [fd, onReadable] : watches_) {
        descriptors.push_back({fd, POLLIN, 0});
    }
    if (poll(descriptors.data(), descriptors.size(), timeout) <= 0) {
        return false;  // the time ran out, or a signal came (which its descriptor tells)
    }
    for (std::size_t i = 1; i < descriptors.size(); ++i) {
        const auto found = watches_.find(descriptors[i].fd);
        if (descriptors[i].revents == 0 || found == watches_.end()) {
            continue;
        }
        // A copy: the callback may unwatch its own descriptor.
        const std::function<void()> onReadable = found->second;
        onReadable();
        if (done()) {
            return true;
        }
    }
    return false;
}

}  // namespace tavrino::x11
