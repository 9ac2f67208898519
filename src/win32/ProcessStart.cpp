#include "win32/ProcessStart.h"

#include <windows.h>

#include <cwctype>

#include "program/CommandLine.h"
#include "win32/Text.h"

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

StartRequest StartRequestOf(std::wstring_view commandLine, std::wstring_view programFile) {
    return ReadCommandLine(Narrow(ArgumentsOf(commandLine)), IsScreensaverFile(programFile));
}

std::wstring ProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return path;
}

StartRequest ProcessStartRequest() {
    return StartRequestOf(GetCommandLineW(), ProgramFile());
}

}  // namespace tavrino::win32
