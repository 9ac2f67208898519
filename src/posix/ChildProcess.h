// A process this one started, with an owner that waits for it, so that it never stays behind as
// a zombie, and kills it first when it has not ended by itself.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <utility>

namespace tavrino::posix {

class ChildProcess {
  public:
    ChildProcess() = default;
    // Takes the pid a spawn gave; 0 (no process) is taken as well.
    explicit ChildProcess(pid_t process) : process_(process) {}
    // Kills it when it is still there, and reaps it.
    ~ChildProcess() { End(std::chrono::milliseconds(0)); }

    ChildProcess(ChildProcess&& other) noexcept : process_(std::exchange(other.process_, 0)) {}
    ChildProcess& operator=(ChildProcess&& other) noexcept {
        if (this != &other) {
            End(std::chrono::milliseconds(0));
            process_ = std::exchange(other.process_, 0);
        }
        return *this;
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Started and not reaped yet.
    bool Exists() const { return process_ > 0; }
    // Kills it at once; it is reaped by End.
    void Kill();
    // Waits up to grace for it to end by itself, kills it when it has not, and reaps it.
    void End(std::chrono::milliseconds grace);

  private:
    pid_t process_ = 0;
};

}  // namespace tavrino::posix
