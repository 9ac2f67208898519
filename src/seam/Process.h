// The running process: its own version, its place among the session's other runs, and its end.
// How it was started is the frontend's to read; the program gets it as a start request.
#pragma once

namespace tavrino {

struct VersionNumbers {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

class Process {
  public:
    virtual ~Process() = default;
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
