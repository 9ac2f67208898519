// The running program on X: its version from the build, the display's one full-screen run (the
// owner of the selection TAVRINO_FULLSCREEN_S<screen>, held until the process ends), a pass of the
// event loop, and the end of the process: the clock window goes and the event loop stops, after
// which main returns.
#pragma once

#include "posix/EventLoop.h"
#include "seam/Process.h"
#include "x11/ClockWindow.h"
#include "x11/Connection.h"

namespace tavrino::x11 {

class Process final : public tavrino::Process {
  public:
    Process(Display* display, const Atoms& atoms, posix::EventLoop& loop, ClockWindow& clockWindow,
            Ticks& ticks);

    bool ClaimFullScreenSaver() override;
    VersionNumbers ProgramVersion() const override;
    void RunPendingEvents() override { loop_.RunPending(); }
    void EndProcess() override;

  private:
    Display* display_;
    const Atoms& atoms_;
    posix::EventLoop& loop_;
    ClockWindow& clockWindow_;
    Ticks& ticks_;
};

}  // namespace tavrino::x11
