// The X connection as the event loop's buffered source: Xlib reads events into its own queue
// (also while it waits for a reply), so the loop drains that queue before it sleeps on the
// connection's descriptor. Every event goes to one handler, which the frontend gives.
#pragma once

#include <functional>

#include "posix/EventLoop.h"
#include "x11/XHeaders.h"

namespace tavrino::x11 {

class XEventSource final : public posix::BufferedEventSource {
  public:
    using EventHandler = std::function<void(XEvent&)>;

    XEventSource(Display* display, EventHandler handler)
        : display_(display), handler_(std::move(handler)) {}

    int Descriptor() const override { return XConnectionNumber(display_); }
    bool HandleEvents(const std::function<bool()>& done) override;
    bool PrepareToSleep() override;

  private:
    Display* display_;
    EventHandler handler_;
};

}  // namespace tavrino::x11
