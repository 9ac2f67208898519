#include "wayland/WaylandEventSource.h"

#include <poll.h>

#include <chrono>

namespace tavrino::wayland {

WaylandEventSource::WaylandEventSource(wl_display* display, std::function<void()> onLost)
    : display_(display), onLost_(std::move(onLost)) {}

WaylandEventSource::~WaylandEventSource() {
    if (prepared_) {
        wl_display_cancel_read(display_);
    }
}

void WaylandEventSource::RunPosted() {
    while (!posted_.empty()) {
        std::vector<std::function<void()>> calls;
        calls.swap(posted_);
        for (const std::function<void()>& call : calls) {
            call();
        }
    }
}

void WaylandEventSource::ReadPrepared() {
    if (!prepared_) {
        return;
    }
    prepared_ = false;
    pollfd readable{Descriptor(), POLLIN, 0};
    if (poll(&readable, 1, 0) > 0) {
        wl_display_read_events(display_);
    } else {
        wl_display_cancel_read(display_);
    }
}

void WaylandEventSource::DispatchUntil(const std::function<bool()>& done, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!lost_ && !done()) {
        if (!prepared_) {
            if (wl_display_prepare_read(display_) != 0) {
                wl_display_dispatch_pending(display_);
                continue;
            }
            prepared_ = true;
        }
        wl_display_flush(display_);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd readable{Descriptor(), POLLIN, 0};
        poll(&readable, 1, static_cast<int>(left.count()));
        ReadPrepared();
        wl_display_dispatch_pending(display_);
        CheckConnection();
    }
}

void WaylandEventSource::CheckConnection() {
    if (!lost_ && wl_display_get_error(display_) != 0) {
        lost_ = true;
        Post(onLost_);
    }
}

bool WaylandEventSource::HandleEvents(const std::function<bool()>& done) {
    ReadPrepared();
    if (!lost_) {
        wl_display_dispatch_pending(display_);
    }
    CheckConnection();
    RunPosted();
    return done();
}

// A queue that holds events already cannot be prepared: they are handled first, without sleeping.
bool WaylandEventSource::PrepareToSleep() {
    if (lost_) {
        return false;
    }
    if (!prepared_) {
        if (wl_display_prepare_read(display_) != 0) {
            return true;
        }
        prepared_ = true;
    }
    wl_display_flush(display_);
    CheckConnection();
    return !posted_.empty();
}

}  // namespace tavrino::wayland
