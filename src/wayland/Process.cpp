#include "wayland/Process.h"

namespace tavrino::wayland {

namespace {

constexpr const char* kFullScreenLockName = "tavrino-fullscreen.lock";

}  // namespace

// Without a runtime folder there is nothing to share with another run: this one goes ahead.
bool Process::ClaimFullScreenSaver() {
    const std::optional<std::string> path = posix::SessionLock::RuntimePath(kFullScreenLockName);
    return !path || fullScreenLock_.TryTake(*path);
}

VersionNumbers Process::ProgramVersion() const {
    return {TAVRINO_VERSION_MAJOR, TAVRINO_VERSION_MINOR, TAVRINO_VERSION_REVISION};
}

void Process::EndProcess() {
    ticks_.CancelTick();
    clockWindow_.Destroy();
    loop_.Stop();
}

}  // namespace tavrino::wayland
