// The harness's eyes inside Wine: reports windows, the pointer, the foreground window and the
// settings key of the program as one line of JSON each, and can make a registry key read-only.
//
//   tavrino-observer windows NAME     top-level windows of processes running NAME (e.g.
//   tavrino.exe) tavrino-observer window HWND      one window with its descendants
//   tavrino-observer cursor           pointer state and position; foreground, active, focus
//   tavrino-observer screen           screen size and work area
//   tavrino-observer registry KEY     values under HKEY_CURRENT_USER\KEY
//   tavrino-observer lock-key KEY     creates the key and lets everyone only read it
//   tavrino-observer unlock-key KEY   gives everyone full access again
//
// Exit status: 0 on success, 1 when the window or key does not exist or an operation failed,
// 2 on a usage error.
#include <windows.h>
// sddl.h needs the declarations of windows.h first.
#include <sddl.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "JsonWriter.h"
#include "WindowReport.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace tavrino::e2e {
namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Print(const JsonWriter& json) {
    std::printf("%s\n", json.Text().c_str());
    std::fflush(stdout);
    return 0;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_EQUAL;
}

struct WindowSearch {
    std::string imageName;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<WindowSearch*>(search);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (SameNameIgnoringCase(ProcessImageName(processId), wanted.imageName)) {
        wanted.found.push_back(window);
    }
    return TRUE;
}

int ListWindows(const std::string& imageName) {
    WindowSearch search{imageName, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    JsonWriter json;
    json.BeginArray();
    for (HWND window : search.found) {
        WriteWindow(json, window, true);
    }
    json.EndArray();
    return Print(json);
}

int ShowWindowReport(const char* number) {
    HWND window = HandleFromNumber(std::strtoull(number, nullptr, 10));
    if (IsWindow(window) == FALSE) {
        return kFailed;
    }
    JsonWriter json;
    WriteWindow(json, window, true);
    return Print(json);
}

int ShowCursorState() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    const bool ok = GetCursorInfo(&info) != FALSE;
    JsonWriter json;
    json.BeginObject();
    json.Key("ok").Bool(ok);
    json.Key("showing").Bool((info.flags & CURSOR_SHOWING) != 0);
    json.Key("flags").Int(info.flags);
    json.Key("x").Int(info.ptScreenPos.x);
    json.Key("y").Int(info.ptScreenPos.y);
    HWND foreground = GetForegroundWindow();
    json.Key("foreground").Int(static_cast<std::int64_t>(HandleNumber(foreground)));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &thread);
    json.Key("focus").Int(static_cast<std::int64_t>(HandleNumber(thread.hwndFocus)));
    json.Key("active").Int(static_cast<std::int64_t>(HandleNumber(thread.hwndActive)));
    json.EndObject();
    return Print(json);
}

int ShowScreen() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    JsonWriter json;
    json.BeginObject();
    json.Key("width").Int(GetSystemMetrics(SM_CXSCREEN));
    json.Key("height").Int(GetSystemMetrics(SM_CYSCREEN));
    json.Key("workarea").BeginArray();
    json.Int(workArea.left).Int(workArea.top).Int(workArea.right).Int(workArea.bottom);
    json.EndArray();
    json.EndObject();
    return Print(json);
}

// The key at path under HKEY_CURRENT_USER, opened (or, with create, made) with the given access.
win32::UniqueRegistryKey OpenUserKey(const char* path, REGSAM access, bool create) {
    const std::wstring widePath = win32::Widen(path);
    HKEY key = nullptr;
    const LONG result = create
                            ? RegCreateKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, nullptr, 0,
                                              access, nullptr, &key, nullptr)
                            : RegOpenKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, access, &key);
    return win32::UniqueRegistryKey(result == ERROR_SUCCESS ? key : nullptr);
}

void WriteValue(JsonWriter& json, DWORD type, const std::vector<BYTE>& data, DWORD size) {
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        json.Int(number);
        return;
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring text(size / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        json.String(win32::Narrow(text));
        return;
    }
    json.Null();
}

int DumpRegistry(const char* path) {
    const win32::UniqueRegistryKey key = OpenUserKey(path, KEY_READ, false);
    if (!key) {
        std::printf("{\"exists\":false,\"values\":{}}\n");
        return kFailed;
    }
    JsonWriter json;
    json.BeginObject();
    json.Key("exists").Bool(true);
    json.Key("values").BeginObject();
    for (DWORD index = 0;; ++index) {
        std::array<wchar_t, 256> name{};
        auto nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        std::vector<BYTE> data(4096);
        auto size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key.Get(), index, name.data(), &nameLength, nullptr, &type, data.data(),
                          &size) != ERROR_SUCCESS) {
            break;
        }
        json.Key(win32::Narrow(std::wstring_view(name.data(), nameLength)));
        WriteValue(json, type, data, size);
    }
    json.EndObject();
    json.EndObject();
    return Print(json);
}

int SetKeyAccess(const char* path, const wchar_t* securityDescriptor) {
    win32::UniqueRegistryKey key = OpenUserKey(path, WRITE_DAC | KEY_READ, true);
    if (!key) {
        key = OpenUserKey(path, WRITE_DAC, false);
    }
    if (!key) {
        std::fprintf(stderr, "cannot open the key for WRITE_DAC\n");
        return kFailed;
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(securityDescriptor, SDDL_REVISION_1,
                                                             &descriptor, nullptr) == FALSE) {
        std::fprintf(stderr, "bad security descriptor\n");
        return kFailed;
    }
    const LONG result = RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "RegSetKeySecurity failed: %ld\n", result);
        return kFailed;
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tavrino-observer windows NAME | window HWND | cursor | screen |\n"
                 "       registry KEY | lock-key KEY | unlock-key KEY\n");
    return kUsage;
}

int Run(const std::vector<std::string_view>& args) {
    if (args.size() == 1 && args[0] == "cursor") {
        return ShowCursorState();
    }
    if (args.size() == 1 && args[0] == "screen") {
        return ShowScreen();
    }
    if (args.size() != 2) {
        return Usage();
    }
    const std::string argument(args[1]);
    if (args[0] == "windows") {
        return ListWindows(argument);
    }
    if (args[0] == "window") {
        return ShowWindowReport(argument.c_str());
    }
    if (args[0] == "registry") {
        return DumpRegistry(argument.c_str());
    }
    if (args[0] == "lock-key") {
        return SetKeyAccess(argument.c_str(), L"D:P(A;;KR;;;WD)");
    }
    if (args[0] == "unlock-key") {
        return SetKeyAccess(argument.c_str(), L"D:P(A;;KA;;;WD)");
    }
    return Usage();
}

}  // namespace
}  // namespace tavrino::e2e

int main(int argc, char** argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return tavrino::e2e::Run(args);
}
