#include "posix/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

namespace tavrino::posix {

namespace {

constexpr auto kReapStep = std::chrono::milliseconds(5);

// Whether the process has ended and was reaped now; a pid that is no child of ours counts too.
bool Reaped(pid_t process, int options) {
    pid_t result = waitpid(process, nullptr, options);
    while (result < 0 && errno == EINTR) {
        result = waitpid(process, nullptr, options);
    }
    return result != 0;
}

}  // namespace

void ChildProcess::Kill() {
    if (Exists()) {
        kill(process_, SIGKILL);
    }
}

void ChildProcess::End(std::chrono::milliseconds grace) {
    if (!Exists()) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + grace;
    while (!Reaped(process_, WNOHANG)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Kill();
            Reaped(process_, 0);
            break;
        }
        std::this_thread::sleep_for(kReapStep);
    }
    process_ = 0;
}

}  // namespace tavrino::posix
