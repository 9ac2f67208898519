// One run of the program: the clock face, the two windows' logic and the window services with
// their state, wired to one platform, to which it connects frmMain's events. A frontend creates
// its platform and a Program, calls MainWindow().OnLoad() and runs its message loop.
#pragma once

#include "clockface/Tavrino.h"
#include "program/FormMove.h"
#include "program/FrmMain.h"
#include "program/FrmSet.h"
#include "program/ShowMouse.h"
#include "program/WinVersion.h"
#include "seam/Platform.h"

namespace tavrino {

class Program {
  public:
    explicit Program(Platform& platform);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    FrmMain& MainWindow() { return frmMain_; }
    FrmSet& SettingsDialog() { return frmSet_; }

  private:
    Tavrino clockFace_;
    WinVersion winVersion_;
    ShowMouse showMouse_;
    FormMove formMove_;
    FrmMain frmMain_;
    FrmSet frmSet_;
};

}  // namespace tavrino
