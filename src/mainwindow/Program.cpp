#include "mainwindow/Program.h"

namespace tavrino {

// frmSet keeps a reference to frmMain's members, which are constructed right after it; it reads
// them only from its load event on.
Program::Program(Platform& platform)
    : clockFace_(platform.LocalClock()),
      winVersion_(platform),
      showMouse_(platform),
      frmSet_(platform, frmMain_, clockFace_, winVersion_, showMouse_),
      frmMain_(platform, clockFace_, frmSet_, formMove_, showMouse_, winVersion_) {
    platform.SetMainFormEvents(frmMain_);
}

}  // namespace tavrino
