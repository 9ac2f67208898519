#include "posix/Signals.h"

#include <fcntl.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>

namespace tavrino::posix {

namespace {

// All a signal handler can reach: the write end of the pipe while a Signals uses one, else -1.
std::atomic<int> signalPipeInput{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read inside a signal handler");

void WriteToSignalPipe(int /*signal*/) {
    const int savedError = errno;
    const char wakeUp = 0;
    const int input = signalPipeInput.load();
    if (input >= 0) {
        // A full pipe has wake-ups waiting already: a failed write loses nothing.
        [[maybe_unused]] const ssize_t written = write(input, &wakeUp, 1);
    }
    errno = savedError;
}

sigset_t EndingSignals() {
    sigset_t signals{};
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    return signals;
}

// Reads all the descriptor holds now (signals, or the pipe's wake-ups); whether anything came.
bool Drain(int descriptor) {
    std::array<signalfd_siginfo, 4> buffer{};
    bool any = false;
    while (read(descriptor, buffer.data(), sizeof buffer) > 0) {
        any = true;
    }
    return any;
}

// A signal ignored by the program that started us (a shell's background job, say) stays ignored,
// as it does for the signalfd.
void HandleUnlessIgnored(int signal, struct sigaction& previous) {
    sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = &WriteToSignalPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

}  // namespace

int OpenSignalDescriptor(const sigset_t& signals) {
    return signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
}

Signals::Signals(DescriptorOpener openDescriptor) {
    const sigset_t signals = EndingSignals();
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    descriptor_ = UniqueDescriptor(openDescriptor(signals));
    if (!descriptor_.IsOpen()) {
        HandleThroughPipe(signals);
    }
}

// A signal that came since they were blocked reaches the handler as they are unblocked. Without a
// pipe either, they end the process at once, which still lets a daemon end it.
void Signals::HandleThroughPipe(const sigset_t& signals) {
    std::array<int, 2> ends{-1, -1};
    if (pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) == 0) {
        descriptor_ = UniqueDescriptor(ends[0]);
        pipeInput_ = UniqueDescriptor(ends[1]);
        signalPipeInput.store(ends[1]);
        HandleUnlessIgnored(SIGTERM, previousTerm_);
        HandleUnlessIgnored(SIGINT, previousInterrupt_);
    }
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

Signals::~Signals() {
    if (!pipeInput_.IsOpen()) {
        return;
    }
    sigaction(SIGTERM, &previousTerm_, nullptr);
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    signalPipeInput.store(-1);
}

void Signals::WatchIn(DescriptorWatch& loop, std::function<void()> onEnd) {
    if (!descriptor_.IsOpen()) {
        return;
    }
    const int fd = descriptor_.Get();
    loop.Watch(fd, [fd, onEnd = std::move(onEnd)] {
        if (Drain(fd)) {
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
