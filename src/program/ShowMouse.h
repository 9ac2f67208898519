// Hiding and showing the mouse pointer in balance (module mShowMouse). The platform keeps a display
// counter; this module hides the pointer at most once and shows it only after it hid it, so any
// sequence of calls leaves the counter at most one step below where the program found it.
#pragma once

#include "seam/Platform.h"

namespace tavrino {

class ShowMouse {
  public:
    explicit ShowMouse(Platform& platform) : platform_(platform) {}

    // override -1 forces the call through whatever the module did before.
    void SetCursorVisible(Flag makeVisible, Flag override);

  private:
    Platform& platform_;
    Flag CursorHidden = kFalse;
};

}  // namespace tavrino
