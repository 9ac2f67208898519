#include "x11/XEventSource.h"

namespace tavrino::x11 {

bool XEventSource::HandleEvents(const std::function<bool()>& done) {
    while (XPending(display_) > 0) {
        XEvent event{};
        XNextEvent(display_, &event);
        handler_(event);
        if (done()) {
            return true;
        }
    }
    return false;
}

bool XEventSource::PrepareToSleep() {
    XFlush(display_);
    return XEventsQueued(display_, QueuedAlready) > 0;
}

}  // namespace tavrino::x11
