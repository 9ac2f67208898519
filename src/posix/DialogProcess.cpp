#include "posix/DialogProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <filesystem>

namespace tavrino::posix {

namespace {

constexpr auto kGrace = std::chrono::milliseconds(500);

std::string_view NameOf(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

// This process's environment with the entries given in place of those of the same names.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& entries) {
    std::vector<std::string> result;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view entry(*variable);
        const bool replaced = std::any_of(entries.begin(), entries.end(), [&](const auto& given) {
            return NameOf(given) == NameOf(entry);
        });
        if (!replaced) {
            result.emplace_back(entry);
        }
    }
    result.insert(result.end(), entries.begin(), entries.end());
    return result;
}

// The child's end of the socket becomes its standard input and output. The program starts with
// no signal blocked, whatever the clock blocks for its own loop.
ChildProcess Spawn(const std::string& programPath, std::vector<std::string> environment,
                   int childEnd) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return ChildProcess();
    }
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return ChildProcess();
    }
    posix_spawn_file_actions_adddup2(&actions, childEnd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, childEnd, STDOUT_FILENO);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    std::string program = programPath;
    std::array<char*, 2> arguments{program.data(), nullptr};
    std::vector<char*> variables;
    variables.reserve(environment.size() + 1);
    for (std::string& entry : environment) {
        variables.push_back(entry.data());
    }
    variables.push_back(nullptr);
    pid_t process = 0;
    const int failed = posix_spawn(&process, program.c_str(), &actions, &attributes,
                                   arguments.data(), variables.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return ChildProcess(failed == 0 ? process : 0);
}

bool AddToSet(int set, int descriptor) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = descriptor;
    return epoll_ctl(set, EPOLL_CTL_ADD, descriptor, &event) == 0;
}

}  // namespace

DialogProcess::DialogProcess(const std::string& programPath,
                             const std::vector<std::string>& environment) {
    std::array<int, 2> ends{-1, -1};
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        return;
    }
    socket_ = UniqueDescriptor(ends[0]);
    // Closed at the end of this: from then on the socket ends when the program does.
    const UniqueDescriptor childEnd(ends[1]);
    if (!WatchSocketAndDeadline()) {
        End();
        return;
    }
    program_ = Spawn(programPath, EnvironmentWith(environment), childEnd.Get());
}

bool DialogProcess::WatchSocketAndDeadline() {
    firstReportDeadline_ =
        UniqueDescriptor(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC));
    readable_ = UniqueDescriptor(epoll_create1(EPOLL_CLOEXEC));
    itimerspec deadline{};
    deadline.it_value.tv_sec = kFirstReportWait.count();
    return firstReportDeadline_.IsOpen() && readable_.IsOpen() &&
           timerfd_settime(firstReportDeadline_.Get(), 0, &deadline, nullptr) == 0 &&
           AddToSet(readable_.Get(), socket_.Get()) &&
           AddToSet(readable_.Get(), firstReportDeadline_.Get());
}

void DialogProcess::Send(std::string_view line) {
    if (!socket_.IsOpen()) {
        return;
    }
    std::string bytes(line);
    bytes += '\n';
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t sent =
            send(socket_.Get(), rest.data(), rest.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            // A program that lets its input pile up has hung: it is ended, never waited for.
            program_.Kill();
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(sent));
    }
}

bool DialogProcess::Receive(dialog::LineBuffer& lines) {
    if (!socket_.IsOpen()) {
        return false;
    }
    std::array<char, 4096> buffer{};
    const ssize_t got = recv(socket_.Get(), buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (got > 0) {
        lines.Append(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        StopWaitingForFirstReport();
        return true;
    }
    return got < 0 && (errno == EAGAIN || errno == EINTR) && !FirstReportOverdue();
}

bool DialogProcess::FirstReportOverdue() const {
    std::uint64_t expirations = 0;
    return firstReportDeadline_.IsOpen() &&
           read(firstReportDeadline_.Get(), &expirations, sizeof expirations) ==
               static_cast<ssize_t>(sizeof expirations);
}

void DialogProcess::StopWaitingForFirstReport() {
    if (firstReportDeadline_.IsOpen()) {
        epoll_ctl(readable_.Get(), EPOLL_CTL_DEL, firstReportDeadline_.Get(), nullptr);
        firstReportDeadline_.Close();
    }
}

void DialogProcess::End() {
    readable_.Close();
    firstReportDeadline_.Close();
    socket_.Close();
    program_.End(kGrace);
}

std::string DialogProgramBesideExecutable() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "tavrino-settings").string();
}

}  // namespace tavrino::posix
