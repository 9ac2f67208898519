// The wait for the next frame that paces a fade: frames follow a 60 Hz schedule, which keeps its
// times when a wait ends late and starts again after a pause. The requests so far are sent to the
// server first, so that each step is on its way to the screen.
#pragma once

#include <chrono>

#include "x11/XHeaders.h"

namespace tavrino::x11 {

class FramePacer {
  public:
    explicit FramePacer(Display* display) : display_(display) {}
    void WaitForNextFrame();

  private:
    Display* display_;
    std::chrono::steady_clock::time_point nextFrame_{};
};

}  // namespace tavrino::x11
