// SIGTERM and SIGINT as a descriptor of the event loop (signalfd): the screensaver daemon ends a
// hack with SIGTERM, and the clock then closes as if its window were closed. The signals are
// blocked for the process from construction on, so they no longer end it at once.
#pragma once

#include <functional>

#include "posix/DescriptorWatch.h"
#include "posix/UniqueDescriptor.h"

namespace tavrino::posix {

class Signals {
  public:
    Signals();
    // From now on a signal calls onEnd from the loop.
    void WatchIn(DescriptorWatch& loop, std::function<void()> onEnd);

  private:
    UniqueDescriptor descriptor_;
};

// The wall clock set by the user or a time service, as a descriptor of the event loop: a
// realtime timer far in the future that the kernel cancels when the clock is set
// (TFD_TIMER_CANCEL_ON_SET).
class WallClockWatch {
  public:
    WallClockWatch();
    // From now on a change of the wall clock calls onChange from the loop.
    void WatchIn(DescriptorWatch& loop, std::function<void()> onChange);

  private:
    void Arm();

    UniqueDescriptor descriptor_;
};

}  // namespace tavrino::posix
