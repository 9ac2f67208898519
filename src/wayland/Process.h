// The running program on Wayland: its version from the build, the session's one full-screen run
// (a lock in $XDG_RUNTIME_DIR, held until the process ends), a pass of the event loop, and the end
// of the process: the surfaces go and the event loop stops, after which main returns.
#pragma once

#include "posix/EventLoop.h"
#include "posix/SessionLock.h"
#include "seam/Process.h"
#include "wayland/FrontendWindow.h"

namespace tavrino::wayland {

class Process final : public tavrino::Process {
  public:
    Process(posix::EventLoop& loop, FrontendWindow& clockWindow, Ticks& ticks)
        : loop_(loop), clockWindow_(clockWindow), ticks_(ticks) {}

    bool ClaimFullScreenSaver() override;
    VersionNumbers ProgramVersion() const override;
    void RunPendingEvents() override { loop_.RunPending(); }
    void EndProcess() override;

  private:
    posix::EventLoop& loop_;
    FrontendWindow& clockWindow_;
    Ticks& ticks_;
    posix::SessionLock fullScreenLock_;
};

}  // namespace tavrino::wayland
