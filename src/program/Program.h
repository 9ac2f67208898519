// One run of the program: the clock face, the shared options and run state, and the logic of the
// clock window and the settings dialog, over one frontend. The frontend makes its windows and a
// Program, connects the program's event interfaces to them, calls Start with what its command
// line asks for and runs its event loop.
#pragma once

#include "program/ClockController.h"
#include "program/ClockFaces.h"
#include "program/Options.h"
#include "program/RunState.h"
#include "program/SettingsController.h"
#include "program/StartRequest.h"
#include "seam/Frontend.h"
#include "surface/Surface.h"

namespace tavrino {

class Program {
  public:
    // faceSurface: the surface the face is drawn on, made by the frontend over the clock
    // window's canvas.
    Program(const Frontend& frontend, Surface& faceSurface);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the run the request asks for. Returns when the clock is up, or when the process has
    // been ended.
    void Start(const StartRequest& request);
    ClockWindowEvents& ClockEvents();
    tavrino::TickEvents& TickEvents();

  private:
    ClockFaces clockFaces_;
    RunState run_;
    Options options_;
    SettingsController settings_;
    ClockController clock_;
};

}  // namespace tavrino
