#include "WindowReport.h"

#include <array>
#include <vector>

#include "win32/Text.h"

namespace tavrino::e2e {
namespace {

std::string WindowText(HWND window) {
    std::array<wchar_t, 512> buffer{};
    const int length = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return win32::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(length)));
}

std::string ClassName(HWND window) {
    std::array<wchar_t, 256> buffer{};
    const int length = GetClassNameW(window, buffer.data(), static_cast<int>(buffer.size()));
    return win32::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(length)));
}

void WriteRect(JsonWriter& json, const RECT& rect) {
    json.BeginArray().Int(rect.left).Int(rect.top).Int(rect.right).Int(rect.bottom).EndArray();
}

RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

// The window's rectangle relative to its parent's client area.
RECT PositionInParent(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    if (parent != nullptr) {
        std::array<POINT, 2> corners{POINT{rect.left, rect.top}, POINT{rect.right, rect.bottom}};
        MapWindowPoints(HWND_DESKTOP, parent, corners.data(), 2);
        rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
    return rect;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM collected) {
    reinterpret_cast<std::vector<HWND>*>(collected)->push_back(window);
    return TRUE;
}

// The X11 window Wine shows a top-level window in; 0 for child windows and without X11.
std::uint64_t XWindowOf(HWND window) {
    return static_cast<std::uint64_t>(
        reinterpret_cast<std::uintptr_t>(GetPropA(window, "__wine_x11_whole_window")));
}

}  // namespace

std::uint64_t HandleNumber(HWND window) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(window));
}

HWND HandleFromNumber(std::uint64_t number) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(number));
}

std::string ProcessImageName(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return {};
    }
    std::array<wchar_t, MAX_PATH> path{};
    DWORD length = static_cast<DWORD>(path.size());
    const BOOL ok = QueryFullProcessImageNameW(process, 0, path.data(), &length);
    CloseHandle(process);
    if (!ok) {
        return {};
    }
    std::wstring full(path.data(), length);
    const auto slash = full.find_last_of(L"\\/");
    const std::wstring base = slash == std::wstring::npos ? full : full.substr(slash + 1);
    return win32::Narrow(base);
}

void WriteWindow(JsonWriter& json, HWND window, bool withChildren) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    HWND parent = GetAncestor(window, GA_PARENT);
    if (parent == GetDesktopWindow()) {
        parent = nullptr;
    }
    RECT rect{};
    GetWindowRect(window, &rect);

    json.BeginObject();
    json.Key("hwnd").Int(static_cast<std::int64_t>(HandleNumber(window)));
    json.Key("xid").Int(static_cast<std::int64_t>(XWindowOf(window)));
    json.Key("pid").Int(processId);
    json.Key("class").String(ClassName(window));
    json.Key("title").String(WindowText(window));
    json.Key("style").Int(style);
    json.Key("exstyle").Int(exStyle);
    json.Key("visible").Bool(IsWindowVisible(window) != FALSE);
    json.Key("enabled").Bool(IsWindowEnabled(window) != FALSE);
    json.Key("topmost").Bool((exStyle & WS_EX_TOPMOST) != 0);
    json.Key("rect");
    WriteRect(json, rect);
    json.Key("client");
    WriteRect(json, ClientOnScreen(window));
    json.Key("pos");
    WriteRect(json, PositionInParent(window, parent));
    json.Key("parent").Int(static_cast<std::int64_t>(HandleNumber(parent)));
    json.Key("owner").Int(static_cast<std::int64_t>(HandleNumber(GetWindow(window, GW_OWNER))));

    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    const bool layered = GetLayeredWindowAttributes(window, &key, &alpha, &flags) != FALSE;
    json.Key("layered").BeginObject();
    json.Key("ok").Bool(layered);
    json.Key("alpha").Int(alpha);
    json.Key("flags").Int(flags);
    json.EndObject();

    if (withChildren) {
        std::vector<HWND> children;
        EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
        json.Key("children").BeginArray();
        for (HWND child : children) {
            WriteWindow(json, child, false);
        }
        json.EndArray();
    }
    json.EndObject();
}

}  // namespace tavrino::e2e
