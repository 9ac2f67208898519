#include "posix/EventLoop.h"

#include <poll.h>

#include <vector>

namespace tavrino::posix {

void EventLoop::Watch(int fd, std::function<void()> onReadable) {
    watches_[fd] = std::move(onReadable);
}

void EventLoop::Unwatch(int fd) {
    watches_.erase(fd);
}

void EventLoop::RunUntil(const std::function<bool()>& done) {
    const auto finished = [this, &done] { return stopped_ || done(); };
    while (!finished()) {
        if (HandleBufferedEvents(finished)) {
            return;
        }
        ticks_.RaiseIfDue();
        if (finished()) {
            return;
        }
        if (PollOnce(ticks_.PollTimeout(), finished)) {
            return;
        }
    }
}

void EventLoop::RunPending() {
    const auto stopped = [this] { return stopped_; };
    if (stopped() || HandleBufferedEvents(stopped) || PollOnce(0, stopped) ||
        HandleBufferedEvents(stopped)) {
        return;
    }
    ticks_.RaiseIfDue();
}

bool EventLoop::HandleBufferedEvents(const std::function<bool()>& done) {
    return source_ != nullptr && source_->HandleEvents(done);
}

// The buffered source's descriptor is polled too; what arrives on it is handled the next time
// round, by HandleBufferedEvents.
bool EventLoop::PollOnce(int timeout, const std::function<bool()>& done) {
    std::vector<pollfd> descriptors;
    if (source_ != nullptr) {
        if (source_->PrepareToSleep()) {
            timeout = 0;
        }
        descriptors.push_back({source_->Descriptor(), POLLIN, 0});
    }
    const std::size_t firstWatch = descriptors.size();
    for (const auto& [fd, onReadable] : watches_) {
        descriptors.push_back({fd, POLLIN, 0});
    }
    if (poll(descriptors.data(), descriptors.size(), timeout) <= 0) {
        return false;  // the time ran out, or a signal came (which its descriptor tells)
    }
    for (std::size_t i = firstWatch; i < descriptors.size(); ++i) {
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

}  // namespace tavrino::posix
