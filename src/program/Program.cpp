#include "program/Program.h"

namespace tavrino {

Program::Program(const Frontend& frontend, Surface& faceSurface)
    : clockFaces_(frontend.time),
      settings_(frontend, run_, options_, clockFaces_),
      clock_(frontend, faceSurface, run_, options_, clockFaces_, settings_) {}

void Program::Start(const StartRequest& request) {
    clock_.Start(request);
}

ClockWindowEvents& Program::ClockEvents() {
    return clock_;
}

tavrino::TickEvents& Program::TickEvents() {
    return clock_;
}

}  // namespace tavrino
