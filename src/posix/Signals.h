// SIGTERM and SIGINT as a descriptor of the event loop: the screensaver daemon ends a hack with
// SIGTERM, and the clock then closes as if its window were closed. Normally the signals are
// blocked for the process from construction on and read from a signalfd, so they no longer end it
// at once. Where the system gives no signalfd (a sandbox that forbids it, no descriptor left),
// they stay deliverable and a handler of their own writes to a pipe the loop watches instead.
// One Signals at a time: a handler can reach only that pipe, the one global it writes.
#pragma once

#include <signal.h>

#include <functional>

#include "posix/DescriptorWatch.h"
#include "posix/UniqueDescriptor.h"

namespace tavrino::posix {

// signalfd() for these signals, non-blocking and closed on exec; -1 when it fails.
int OpenSignalDescriptor(const sigset_t& signals);

class Signals {
  public:
    using DescriptorOpener = int (*)(const sigset_t& signals);

    // openDescriptor makes the signalfd; a test gives one that fails.
    explicit Signals(DescriptorOpener openDescriptor = &OpenSignalDescriptor);
    Signals(const Signals&) = delete;
    Signals& operator=(const Signals&) = delete;
    // Puts back the signals' handling as it was before the pipe, when there is one.
    ~Signals();

    // From now on a signal calls onEnd from the loop, once for the signals that came together.
    void WatchIn(DescriptorWatch& loop, std::function<void()> onEnd);

  private:
    void HandleThroughPipe(const sigset_t& signals);

    UniqueDescriptor descriptor_;  // the signalfd, or the pipe's read end
    UniqueDescriptor pipeInput_;   // the pipe's write end, which the handler writes
    struct sigaction previousTerm_ {};
    struct sigaction previousInterrupt_ {};
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
