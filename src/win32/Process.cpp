#include "win32/Process.h"

#include <utility>

#include "win32/Text.h"
#include "win32/VersionInfo.h"

namespace tavrino::win32 {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
    std::size_t at = 0;
    bool quoted = false;
    // The program path ends at the first blank outside quotes.
    while (at < commandLine.size() && (quoted || !IsBlank(commandLine[at]))) {
        if (commandLine[at] == L'"') {
            quoted = !quoted;
        }
        ++at;
    }
    while (at < commandLine.size() && IsBlank(commandLine[at])) {
        ++at;
    }
    return commandLine.substr(at);
}

Process::Process(HINSTANCE instance, MessageLoop& loop, ClockWindow& clockWindow, Ticks& ticks,
                 ProcessOptions options)
    : instance_(instance),
      loop_(loop),
      clockWindow_(clockWindow),
      ticks_(ticks),
      options_(std::move(options)) {}

std::string Process::Arguments() const {
    const std::wstring_view commandLine =
        options_.commandLine ? std::wstring_view(*options_.commandLine) : GetCommandLineW();
    return Narrow(ArgumentsOf(commandLine));
}

VersionNumbers Process::ProgramVersion() const {
    return ReadProgramVersion(instance_);
}

void Process::RunPendingEvents() {
    loop_.RunPending();
}

// The clock window goes first, so that a preview host is left without our child at once; the
// process then ends without running anything else.
void Process::EndProcess() {
    ticks_.CancelTick();
    if (options_.endProcess) {
        options_.endProcess();
        return;
    }
    clockWindow_.Destroy();
    ExitProcess(0);
}

}  // namespace tavrino::win32
