// Plays the control panel's screensaver preview: creates a window with a 152 x 112 client area,
// starts the program with "/p <handle>", reports the child window the program puts into it,
// stops taking its messages for a while on request (a hung host), destroys the window on request
// and reports whether the program then ended. With --configure it plays the screensaver settings
// instead: starts the program with "/c:<handle>" and reports, once the program has ended, whether
// its window is enabled. Each report is one line of JSON with an "event" field.
//
//   tavrino-preview-host PROGRAM [--destroy-after-ms N] [--destroy-on-file PATH]
//                                [--hang-ms N] [--child-timeout-ms N] [--exit-timeout-ms N]
//   tavrino-preview-host PROGRAM --configure [--exit-timeout-ms N]
//
// Without a destroy option the window is destroyed as soon as the child has been reported.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "JsonWriter.h"
#include "WindowReport.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace tavrino::e2e {
namespace {

constexpr int kClientWidth = 152;
constexpr int kClientHeight = 112;
constexpr DWORD kPollMs = 10;

using Clock = std::chrono::steady_clock;

struct Options {
    std::wstring program;
    int destroyAfterMs = -1;
    std::wstring destroyOnFile;
    int hangMs = 0;
    bool configure = false;
    int childTimeoutMs = 5000;
    int exitTimeoutMs = 5000;
};

void Emit(const JsonWriter& json) {
    std::printf("%s\n", json.Text().c_str());
    std::fflush(stdout);
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

bool ProcessEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

DWORD ExitCode(HANDLE process) {
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

// Runs the host's message loop until done() is true or the time is up; returns done().
bool PumpUntil(HANDLE process, int timeoutMs, const std::function<bool()>& done) {
    const auto start = Clock::now();
    while (!done()) {
        if (MillisecondsSince(start) >= timeoutMs) {
            return done();
        }
        MsgWaitForMultipleObjects(1, &process, FALSE, kPollMs, QS_ALLINPUT);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

struct ChildSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProgramChild(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<ChildSearch*>(search);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == wanted.processId) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND CreateHostWindow(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = L"TavrinoPreviewHost";
    RegisterClassW(&windowClass);

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Vorschau", kStyle, 100, 100,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

bool StartProgram(const std::wstring& program, std::wstring_view hostSwitch, HWND host,
                  win32::UniqueKernelHandle& process, DWORD& processId) {
    std::wstring commandLine =
        L"\"" + program + L"\" " + std::wstring(hostSwitch) + std::to_wstring(HandleNumber(host));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info) == FALSE) {
        return false;
    }
    CloseHandle(info.hThread);
    process.Reset(info.hProcess);
    processId = info.dwProcessId;
    return true;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits for the program's child window in the host and reports it.
void ReportChild(const Options& options, HWND host, HANDLE process, DWORD processId,
                 Clock::time_point started) {
    ChildSearch search{processId, nullptr};
    PumpUntil(process, options.childTimeoutMs, [&] {
        EnumChildWindows(host, FindProgramChild, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr || ProcessEnded(process);
    });
    JsonWriter json;
    json.BeginObject().Key("event").String(search.found != nullptr ? "child" : "no-child");
    json.Key("ms").Int(MillisecondsSince(started));
    if (search.found != nullptr) {
        // Let the program finish its start-up before the child is described.
        PumpUntil(process, 300, [] { return false; });
        json.Key("window");
        WriteWindow(json, search.found, false);
        json.Key("host_foreground").Bool(GetForegroundWindow() == host);
    }
    json.Key("ended").Bool(ProcessEnded(process));
    Emit(json.EndObject());
}

// Takes no messages for a while, then reports whether and how long after the hang began the
// program ended.
void HangAndReport(const Options& options, HANDLE process) {
    FILETIME hangStart{};
    GetSystemTimeAsFileTime(&hangStart);
    Sleep(static_cast<DWORD>(options.hangMs));
    const bool ended = ProcessEnded(process);
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<long long>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) |
                                      time.dwLowDateTime);
    };
    JsonWriter json;
    json.BeginObject().Key("event").String("hung");
    json.Key("ended").Bool(ended);
    json.Key("end_ms").Int(ended ? (ticks(exited) - ticks(hangStart)) / 10000 : -1);
    Emit(json.EndObject());
}

// Waits for the program started for configuration to end, and reports the host's window then.
void AwaitConfigurationEnd(const Options& options, HWND host, HANDLE process) {
    const bool ended =
        PumpUntil(process, options.exitTimeoutMs, [&] { return ProcessEnded(process); });
    JsonWriter json;
    json.BeginObject().Key("event").String("ended");
    json.Key("ended").Bool(ended);
    json.Key("exit").Int(ended ? static_cast<std::int64_t>(ExitCode(process)) : -1);
    json.Key("host_enabled").Bool(IsWindowEnabled(host) != FALSE);
    Emit(json.EndObject());
    if (!ended) {
        TerminateProcess(process, 1);
    }
    DestroyWindow(host);
}

// Destroys the host when the options say, and reports how the program took it.
void DestroyHostAndReport(const Options& options, HWND host, HANDLE process) {
    if (options.destroyAfterMs >= 0) {
        PumpUntil(process, options.destroyAfterMs, [] { return false; });
    } else if (!options.destroyOnFile.empty()) {
        PumpUntil(process, 60000, [&] { return FileExists(options.destroyOnFile); });
    }

    const bool endedBefore = ProcessEnded(process);
    DestroyWindow(host);
    const auto destroyed = Clock::now();
    const bool ended =
        PumpUntil(process, options.exitTimeoutMs, [&] { return ProcessEnded(process); });
    JsonWriter json;
    json.BeginObject().Key("event").String("destroyed");
    json.Key("ended_before").Bool(endedBefore);
    json.Key("ended").Bool(ended);
    json.Key("ms").Int(MillisecondsSince(destroyed));
    json.Key("exit").Int(ended ? static_cast<std::int64_t>(ExitCode(process)) : -1);
    Emit(json.EndObject());
    if (!ended) {
        TerminateProcess(process, 1);
    }
}

int Host(const Options& options) {
    HWND host = CreateHostWindow(GetModuleHandleW(nullptr));
    if (host == nullptr) {
        std::fprintf(stderr, "cannot create the host window\n");
        return 1;
    }
    {
        JsonWriter json;
        json.BeginObject().Key("event").String("host").Key("window");
        WriteWindow(json, host, false);
        Emit(json.EndObject());
    }

    win32::UniqueKernelHandle process;
    DWORD processId = 0;
    if (!StartProgram(options.program, options.configure ? L"/c:" : L"/p ", host, process,
                      processId)) {
        std::fprintf(stderr, "cannot start the program\n");
        DestroyWindow(host);
        return 1;
    }
    if (options.configure) {
        AwaitConfigurationEnd(options, host, process.Get());
        return 0;
    }
    ReportChild(options, host, process.Get(), processId, Clock::now());
    if (options.hangMs > 0) {
        HangAndReport(options, process.Get());
    }
    DestroyHostAndReport(options, host, process.Get());
    return 0;
}

bool ParseOptions(const std::vector<std::string_view>& args, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--destroy-after-ms" && hasValue) {
            options.destroyAfterMs = std::atoi(std::string(args[++i]).c_str());
        } else if (arg == "--destroy-on-file" && hasValue) {
            options.destroyOnFile = win32::Widen(args[++i]);
        } else if (arg == "--hang-ms" && hasValue) {
            options.hangMs = std::atoi(std::string(args[++i]).c_str());
        } else if (arg == "--configure") {
            options.configure = true;
        } else if (arg == "--child-timeout-ms" && hasValue) {
            options.childTimeoutMs = std::atoi(std::string(args[++i]).c_str());
        } else if (arg == "--exit-timeout-ms" && hasValue) {
            options.exitTimeoutMs = std::atoi(std::string(args[++i]).c_str());
        } else if (options.program.empty() && !arg.starts_with("--")) {
            options.program = win32::Widen(arg);
        } else {
            return false;
        }
    }
    return !options.program.empty();
}

}  // namespace
}  // namespace tavrino::e2e

int main(int argc, char** argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    tavrino::e2e::Options options;
    if (!tavrino::e2e::ParseOptions(args, options)) {
        std::fprintf(stderr,
                     "usage: tavrino-preview-host PROGRAM [--destroy-after-ms N] "
                     "[--destroy-on-file PATH] [--hang-ms N] [--child-timeout-ms N] "
                     "[--exit-timeout-ms N]\n"
                     "       tavrino-preview-host PROGRAM --configure [--exit-timeout-ms N]\n");
        return 2;
    }
    return tavrino::e2e::Host(options);
}
