#include "win32/Process.h"

#include <utility>

#include "win32/VersionInfo.h"

namespace tavrino::win32 {

Process::Process(HINSTANCE instance, MessageLoop& loop, ClockWindow& clockWindow, Ticks& ticks,
                 ProcessOptions options)
    : instance_(instance),
      loop_(loop),
      clockWindow_(clockWindow),
      ticks_(ticks),
      options_(std::move(options)) {}

// The mutex stays held until the process ends, when the system lets it go, however it ends. One
// that exists but may not be opened belongs to another run too; a mutex that cannot be made at
// all does not keep the screensaver from running.
bool Process::ClaimFullScreenSaver() {
    if (fullScreenSaver_) {
        return true;
    }
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kFullScreenSaverMutex));
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) {
        return false;
    }
    fullScreenSaver_ = std::move(mutex);
    clockWindow_.DeclineScreensaverStarts();
    return true;
}

VersionNumbers Process::ProgramVersion() const {
    return ReadProgramVersion(instance_);
}

void Process::RunPendingEvents() {
    loop_.RunPending();
}

// The clock window goes first, so that a preview host is left without our child at once; the
// process then ends without running anything else.
void Process::EndProcess() {
    ticks_.CancelTick();
    if (options_.endProcess) {
        options_.endProcess();
        return;
    }
    clockWindow_.Destroy();
    ExitProcess(0);
}

}  // namespace tavrino::win32
