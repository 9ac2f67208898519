#include "program/Program.h"

namespace tavrino {

// frmMain is constructed first: it only keeps a reference to frmSet, which it uses from its load
// event on, while frmSet takes frmMain's members, which must exist to be handed over as such.
Program::Program(Platform& platform)
    : clockFace_(platform.LocalClock()),
      winVersion_(platform),
      showMouse_(platform),
      frmMain_(platform, clockFace_, frmSet_, formMove_, showMouse_, winVersion_),
      frmSet_(platform, frmMain_, clockFace_, winVersion_, showMouse_) {
    platform.SetMainFormEvents(frmMain_);
}

}  // namespace tavrino
