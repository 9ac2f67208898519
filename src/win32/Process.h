// The running program on Windows: the version of its module, the session's one full-screen
// screensaver (a named mutex in the session's namespace, held for the rest of the process), a pass
// of the message loop, and the end of the process.
#pragma once

#include <windows.h>

#include <functional>

#include "seam/Process.h"
#include "seam/Time.h"
#include "win32/ClockWindow.h"
#include "win32/Handles.h"
#include "win32/MessageLoop.h"

namespace tavrino::win32 {

// The mutex the session's full-screen screensaver holds.
inline constexpr wchar_t kFullScreenSaverMutex[] = L"Local\\TavrinoFullScreenSaver";

// What a run takes from the process by default, and a test may give instead.
struct ProcessOptions {
    // Replaces the end of the process (a test keeps running).
    std::function<void()> endProcess;
};

class Process final : public tavrino::Process {
  public:
    Process(HINSTANCE instance, MessageLoop& loop, ClockWindow& clockWindow, Ticks& ticks,
            ProcessOptions options = {});

    bool ClaimFullScreenSaver() override;
    VersionNumbers ProgramVersion() const override;
    void RunPendingEvents() override;
    void EndProcess() override;

  private:
    HINSTANCE instance_;
    MessageLoop& loop_;
    ClockWindow& clockWindow_;
    Ticks& ticks_;
    ProcessOptions options_;
    UniqueKernelHandle fullScreenSaver_;  // the mutex, once claimed
};

}  // namespace tavrino::win32
