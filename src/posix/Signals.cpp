#include "posix/Signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace tavrino::posix {

namespace {

sigset_t EndingSignals() {
    sigset_t signals{};
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    return signals;
}

}  // namespace

Signals::Signals() {
    const sigset_t signals = EndingSignals();
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    descriptor_ = UniqueDescriptor(signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK));
}

void Signals::WatchIn(DescriptorWatch& loop, std::function<void()> onEnd) {
    if (!descriptor_.IsOpen()) {
        return;
    }
    const int fd = descriptor_.Get();
    loop.Watch(fd, [fd, onEnd = std::move(onEnd)] {
        signalfd_siginfo info{};
        while (read(fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
            onEnd();
        }
    });
}

WallClockWatch::WallClockWatch()
    : descriptor_(timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK)) {
    Arm();
}

// Far enough ahead never to expire; only the cancel on a set clock wakes it.
void WallClockWatch::Arm() {
    constexpr std::time_t kYearsAhead = 100L * 365 * 24 * 3600;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    itimerspec timer{};
    timer.it_value.tv_sec = now.tv_sec + kYearsAhead;
    timerfd_settime(descriptor_.Get(), TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &timer,
                    nullptr);
}

void WallClockWatch::WatchIn(DescriptorWatch& loop, std::function<void()> onChange) {
    if (!descriptor_.IsOpen()) {
        return;
    }
    loop.Watch(descriptor_.Get(), [this, onChange = std::move(onChange)] {
        std::uint64_t expirations = 0;
        // A set clock makes the read fail with ECANCELED; the timer is armed again either way.
        if (read(descriptor_.Get(), &expirations, sizeof expirations) < 0 && errno == EAGAIN) {
            return;
        }
        Arm();
        onChange();
    });
}

}  // namespace tavrino::posix
