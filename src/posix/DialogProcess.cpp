#include "posix/DialogProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

namespace tavrino::posix {

namespace {

constexpr auto kGrace = std::chrono::milliseconds(500);
constexpr auto kReapStep = std::chrono::milliseconds(5);

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

// The child's end of the socket becomes its standard input and output; the pid, or 0. The
// program starts with no signal blocked, whatever the clock blocks for its own loop.
pid_t Spawn(const std::string& programPath, std::vector<std::string> environment, int childEnd) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return 0;
    }
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return 0;
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
    for (std::string& entry : environment) {
        variables.push_back(entry.data());
    }
    variables.push_back(nullptr);
    pid_t process = 0;
    const int failed = posix_spawn(&process, program.c_str(), &actions, &attributes,
                                   arguments.data(), variables.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? process : 0;
}

}  // namespace

DialogProcess::DialogProcess(const std::string& programPath,
                             const std::vector<std::string>& environment) {
    std::array<int, 2> ends{-1, -1};
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        return;
    }
    channel_ = ends[0];
    process_ = Spawn(programPath, EnvironmentWith(environment), ends[1]);
    close(ends[1]);  // from now on the channel ends when the program does
}

void DialogProcess::Send(std::string_view line) {
    if (channel_ < 0) {
        return;
    }
    std::string bytes(line);
    bytes += '\n';
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t sent = send(channel_, rest.data(), rest.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            // A program that lets its input pile up has hung: it is ended, never waited for.
            Kill();
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(sent));
    }
}

bool DialogProcess::Receive(dialog::LineBuffer& lines) {
    if (channel_ < 0) {
        return false;
    }
    std::array<char, 4096> buffer{};
    const ssize_t got = recv(channel_, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (got > 0) {
        lines.Append(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        return true;
    }
    return got < 0 && (errno == EAGAIN || errno == EINTR);
}

void DialogProcess::Kill() {
    if (process_ > 0) {
        kill(process_, SIGKILL);
    }
}

void DialogProcess::End() {
    if (channel_ >= 0) {
        close(channel_);
        channel_ = -1;
    }
    if (process_ <= 0) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kGrace;
    while (waitpid(process_, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Kill();
            waitpid(process_, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(kReapStep);
    }
    process_ = 0;
}

std::string DialogProgramBesideExecutable() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "tavrino-settings").string();
}

}  // namespace tavrino::posix
