// The wait for the next displayed frame that paces a fade. With the desktop compositor running
// (always on Windows 8 and later) the frame is the compositor's next one, so each step of a fade
// is on screen for one frame at any refresh rate; without it, frames follow a 60 Hz schedule.
#pragma once

#include <chrono>

namespace tavrino::win32 {

class FramePacer {
  public:
    void WaitForNextFrame();

  private:
    // The frames of the 60 Hz schedule keep their times even when a wait ends late, so a run of
    // frames keeps its pace; after a pause the schedule starts again.
    void WaitOnSchedule();

    std::chrono::steady_clock::time_point nextFrame_{};
};

}  // namespace tavrino::win32
