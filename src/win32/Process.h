// The running program as Windows started it: the arguments of its command line, the version of
// its module, a pass of the message loop, and the end of the process.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "seam/Process.h"
#include "seam/Time.h"
#include "win32/ClockWindow.h"
#include "win32/MessageLoop.h"

namespace tavrino::win32 {

// The arguments of a Windows command line: what follows the program path (quoted or not) and
// the blanks after it.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

// What a run takes from the process by default, and a test may give instead.
struct ProcessOptions {
    // The whole command line, program path first; by default the process's own.
    std::optional<std::wstring> commandLine;
    // Replaces the end of the process (a test keeps running).
    std::function<void()> endProcess;
};

class Process final : public tavrino::Process {
  public:
    Process(HINSTANCE instance, MessageLoop& loop, ClockWindow& clockWindow, Ticks& ticks,
            ProcessOptions options = {});

    std::string Arguments() const override;
    VersionNumbers ProgramVersion() const override;
    void RunPendingEvents() override;
    void EndProcess() override;

  private:
    HINSTANCE instance_;
    MessageLoop& loop_;
    ClockWindow& clockWindow_;
    Ticks& ticks_;
    ProcessOptions options_;
};

}  // namespace tavrino::win32
