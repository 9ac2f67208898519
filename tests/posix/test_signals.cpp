// SIGTERM and SIGINT end the program through the event loop, from a signalfd or, where the system
// gives none, through the pipe their own handler writes. Each run is a child process of its own,
// since the signal goes to the whole process.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "posix/EventLoop.h"
#include "posix/Signals.h"

namespace tavrino::posix {
namespace {

constexpr int kEndedThroughLoop = 3;
constexpr unsigned kGiveUpSeconds = 5;

int NoSignalDescriptor(const sigset_t& /*signals*/) {
    errno = EMFILE;
    return -1;
}

// Ends with kEndedThroughLoop once the loop has called onEnd for the signal; a signal that is
// lost leaves the loop waiting until the alarm ends the child instead.
[[noreturn]] void RunUntilEnded(Signals::DescriptorOpener openDescriptor, int signal) {
    alarm(kGiveUpSeconds);
    LoopTicks ticks;
    EventLoop loop(ticks);
    Signals signals(openDescriptor);
    bool ended = false;
    signals.WatchIn(loop, [&ended] { ended = true; });
    kill(getpid(), signal);
    loop.RunUntil([&ended] { return ended; });
    std::_Exit(kEndedThroughLoop);
}

TEST(SignalsDeathTest, EndTheLoopWithOrWithoutSignalDescriptor) {
    EXPECT_EXIT(RunUntilEnded(&OpenSignalDescriptor, SIGTERM),
                testing::ExitedWithCode(kEndedThroughLoop), "");
    EXPECT_EXIT(RunUntilEnded(&NoSignalDescriptor, SIGTERM),
                testing::ExitedWithCode(kEndedThroughLoop), "");
    EXPECT_EXIT(RunUntilEnded(&NoSignalDescriptor, SIGINT),
                testing::ExitedWithCode(kEndedThroughLoop), "");
}

}  // namespace
}  // namespace tavrino::posix
