// The dialog program's reports on their way to the clock: they never wait for a full socket, reach
// the clock whole and in order once it reads again, and a clock that shut its end costs them, not
// the program (no SIGPIPE).
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <string>

#include "posix/UniqueDescriptor.h"
#include "posix/dialog/SendQueue.h"

namespace tavrino::posix::dialog {
namespace {

struct SocketPair {
    SocketPair() {
        std::array<int, 2> ends{-1, -1};
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()), 0);
        program = UniqueDescriptor(ends[0]);
        clock = UniqueDescriptor(ends[1]);
        const int smallest = 1;  // a few lines fill it
        setsockopt(program.Get(), SOL_SOCKET, SO_SNDBUF, &smallest, sizeof smallest);
    }
    UniqueDescriptor program;
    UniqueDescriptor clock;
};

TEST(SendQueue, WhatAFullSocketWillNotTakeReachesTheClockInOrderOnceItReads) {
    SocketPair sockets;
    SendQueue queue(sockets.program.Get());
    std::string sent;
    for (int i = 0; i < 500; ++i) {
        const std::string line = "clicked task " + std::to_string(i) + "\n";
        queue.Send(line);  // never blocks, or this test would hang here
        sent += line;
    }
    ASSERT_TRUE(queue.Waiting());

    std::string received;
    std::array<char, 4096> buffer{};
    while (received.size() < sent.size()) {
        const ssize_t got = recv(sockets.clock.Get(), buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (got > 0) {
            received.append(buffer.data(), static_cast<std::size_t>(got));
        }
        queue.SendQueued();  // as the program does when the socket turns writable
        ASSERT_TRUE(got > 0 || queue.Waiting()) << "nothing left to send, nothing arriving";
    }
    EXPECT_EQ(received, sent);
    EXPECT_FALSE(queue.Waiting());
}

TEST(SendQueue, AClockThatShutItsEndLosesTheReportsAndTheProgramLivesOn) {
    SocketPair sockets;
    ASSERT_EQ(shutdown(sockets.clock.Get(), SHUT_RD), 0);
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        SendQueue queue(sockets.program.Get());
        queue.Send("ok\n");
        queue.Send("close\n");
        _exit(queue.Waiting() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the reports still wait";
}

}  // namespace
}  // namespace tavrino::posix::dialog
