#include "win32/Process.h"

#include <cwctype>
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

bool IsScreensaverFile(std::wstring_view path) {
    constexpr std::wstring_view kExtension = L".scr";
    if (path.size() < kExtension.size()) {
        return false;
    }
    const std::wstring_view end = path.substr(path.size() - kExtension.size());
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::towlower(end[i]) != kExtension[i]) {
            return false;
        }
    }
    return true;
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

bool Process::StartedAsScreensaverFile() const {
    if (options_.programFile) {
        return IsScreensaverFile(*options_.programFile);
    }
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return IsScreensaverFile(path);
}

// The mutex stays held until the process ends, when the system lets it go, however it ends. One
// that exists but may not be opened belongs to another run too; a mutex that cannot be made at
// all does not keep the screensaver from running.
bool Process::ClaimFullScreenSaver() {
    if (fullScreenSaver_) {
        return true;
    }
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kFullScreenSaverMutex));
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) {
        return false;
    }
    fullScreenSaver_ = std::move(mutex);
    clockWindow_.DeclineScreensaverStarts();
    return true;
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
