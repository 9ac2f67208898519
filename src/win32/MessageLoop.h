// The thread's message loop. Every message is offered to the settings dialog's keyboard handling
// first (Tab, Enter, Escape, access keys), then translated and dispatched.
#pragma once

#include <windows.h>

#include "win32/SettingsDialogs.h"

namespace tavrino::win32 {

class MessageLoop {
  public:
    explicit MessageLoop(SettingsDialogs& dialogs) : dialogs_(dialogs) {}

    // Runs until WM_QUIT and returns its exit code. Closed dialogs go at the top of each round.
    int Run();
    // Dispatches everything queued now, then returns. A WM_QUIT is posted again for Run.
    void RunPending();

  private:
    void Dispatch(MSG& message);

    SettingsDialogs& dialogs_;
};

}  // namespace tavrino::win32
