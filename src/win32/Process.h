// The running program as Windows started it: the arguments of its command line, the file it was
// started from, the version of its module, the session's one full-screen screensaver (a named
// mutex in the session's namespace, held for the rest of the process), a pass of the message loop,
// and the end of the process.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "seam/Process.h"
#include "seam/Time.h"
#include "win32/ClockWindow.h"
#include "win32/Handles.h"
#include "win32/MessageLoop.h"

namespace tavrino::win32 {

// The arguments of a Windows command line: what follows the program path (quoted or not) and
// the blanks after it.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

// Whether a program file is a screensaver file: its name ends in ".scr", in any case.
bool IsScreensaverFile(std::wstring_view path);

// The mutex the session's full-screen screensaver holds.
inline constexpr wchar_t kFullScreenSaverMutex[] = L"Local\\TavrinoFullScreenSaver";

// What a run takes from the process by default, and a test may give instead.
struct ProcessOptions {
    // The whole command line, program path first; by default the process's own.
    std::optional<std::wstring> commandLine;
    // The program's file; by default the process's own.
    std::optional<std::wstring> programFile;
    // Replaces the end of the process (a test keeps running).
    std::function<void()> endProcess;
};

class Process final : public tavrino::Process {
  public:
    Process(HINSTANCE instance, MessageLoop& loop, ClockWindow& clockWindow, Ticks& ticks,
            ProcessOptions options = {});

    std::string Arguments() const override;
    bool StartedAsScreensaverFile() const override;
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
