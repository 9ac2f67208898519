// The running process: how it was started, its own version, its place among the session's other
// runs, and its end.
#pragma once

#include <string>

namespace tavrino {

struct VersionNumbers {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

class Process {
  public:
    virtual ~Process() = default;
    // The command line's arguments, without the program's own path.
    virtual std::string Arguments() const = 0;
    // Whether it was started from its screensaver file rather than as the desktop program.
    virtual bool StartedAsScreensaverFile() const = 0;
    // Makes this run the session's one full-screen screensaver, for the rest of the process: the
    // system's own requests to start a screensaver are turned down meanwhile. False, and nothing
    // changes, when another run is that already.
    virtual bool ClaimFullScreenSaver() = 0;
    virtual VersionNumbers ProgramVersion() const = 0;
    // Handles every event that is waiting now (input, paints, ticks), then returns.
    virtual void RunPendingEvents() = 0;
    // Ends the process: at once, or by stopping the frontend's event loop so that its main
    // returns. A call that returns (that, or a test's fake) is the last the program does.
    virtual void EndProcess() = 0;

  protected:
    Process() = default;
    Process(const Process&) = default;
    Process& operator=(const Process&) = default;
};

}  // namespace tavrino
