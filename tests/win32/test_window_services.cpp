#include <gtest/gtest.h>

#include "win32/Handles.h"
#include "win32/WindowServices.h"

namespace tavrino::win32 {
namespace {

constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

LONG Style(HWND window) {
    return GetWindowLongW(window, GWL_STYLE);
}
LONG ExStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}
bool Has(LONG bits, LONG flag) {
    return (bits & flag) == flag;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

BYTE Alpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    return alpha;
}

const wchar_t* WindowClass() {
    static const wchar_t* const name = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TavrinoServicesTest";
        RegisterClassW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

UniqueWindow MakeWindow(DWORD style, DWORD exStyle = 0, HWND owner = nullptr) {
    UniqueWindow window(CreateWindowExW(exStyle, WindowClass(), L"Tavrino", style, 40, 50, 220, 180,
                                        owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    EXPECT_TRUE(window);
    return window;
}

TEST(SetTranslucency, LayersTheWindowWithAlphaOfTheComplementAndKeepsItsPlace) {
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, WS_EX_TOOLWINDOW);
    const RECT before = WindowRect(window.Get());

    SetTranslucency(window.Get(), 63);
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_LAYERED));
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_TOOLWINDOW));
    EXPECT_EQ(Alpha(window.Get()), 192);
    EXPECT_TRUE(SameRect(WindowRect(window.Get()), before));

    SetTranslucency(window.Get(), 255);
    EXPECT_EQ(Alpha(window.Get()), 0);

    // Opaque, but still layered: a later amount needs no style change.
    SetTranslucency(window.Get(), 0);
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_LAYERED));
    EXPECT_EQ(Alpha(window.Get()), 255);
    const LONG opaqueStyle = ExStyle(window.Get());
    SetTranslucency(window.Get(), 31);
    EXPECT_EQ(ExStyle(window.Get()), opaqueStyle);
    EXPECT_EQ(Alpha(window.Get()), 224);
    EXPECT_TRUE(SameRect(WindowRect(window.Get()), before));
}

TEST(SetTranslucency, AnAmountOutOfRangeLeavesTheWindowAlone) {
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW);
    SetTranslucency(window.Get(), 256);
    SetTranslucency(window.Get(), -1);
    EXPECT_FALSE(Has(ExStyle(window.Get()), WS_EX_LAYERED));
}

TEST(SetAlwaysOnTop, OnlyMinusOneMakesTheWindowTopmost) {
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const RECT before = WindowRect(window.Get());

    SetAlwaysOnTop(window.Get(), kTrue);
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_TOPMOST));
    EXPECT_TRUE(SameRect(WindowRect(window.Get()), before));

    SetAlwaysOnTop(window.Get(), 1);
    EXPECT_FALSE(Has(ExStyle(window.Get()), WS_EX_TOPMOST));

    SetAlwaysOnTop(window.Get(), kTrue);
    SetAlwaysOnTop(window.Get(), kFalse);
    EXPECT_FALSE(Has(ExStyle(window.Get()), WS_EX_TOPMOST));
    EXPECT_TRUE(SameRect(WindowRect(window.Get()), before));
}

TEST(SetAlwaysOnTop, ShowsAndActivatesAHiddenWindow) {
    const UniqueWindow other = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetActiveWindow(other.Get());
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW);
    ASSERT_FALSE(IsWindowVisible(window.Get()));
    SetAlwaysOnTop(window.Get(), kTrue);
    EXPECT_TRUE(IsWindowVisible(window.Get()));
    EXPECT_EQ(GetActiveWindow(), window.Get());
    // Back in the non-topmost band it is activated again.
    SetActiveWindow(other.Get());
    SetAlwaysOnTop(window.Get(), kFalse);
    EXPECT_EQ(GetActiveWindow(), window.Get());
}

TEST(SetTranslucency, KeepsATopmostWindowTopmost) {
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetAlwaysOnTop(window.Get(), kTrue);
    ASSERT_TRUE(Has(ExStyle(window.Get()), WS_EX_TOPMOST));
    for (const int amount : {255, 253, 63, 0}) {
        SetTranslucency(window.Get(), amount);
        EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_TOPMOST)) << "amount " << amount;
    }
}

TEST(HideTitleBar, ClearsTheCaptionAndKeepsTheSizingFrame) {
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW);
    const LONG before = Style(window.Get());
    HideTitleBar(window.Get());
    const LONG after = Style(window.Get());
    EXPECT_EQ(after & WS_CAPTION, 0);
    EXPECT_TRUE(Has(after, WS_THICKFRAME));
    EXPECT_EQ(after, before & ~WS_CAPTION);

    HideTitleBar(window.Get());
    EXPECT_EQ(Style(window.Get()), after);
}

TEST(SetTaskbarVisibility, TogglesTheAppWindowBitAndKeepsAHiddenWindowHidden) {
    const UniqueWindow owner = MakeWindow(WS_OVERLAPPEDWINDOW);
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, owner.Get());

    SetTaskbarVisibility(window.Get(), kTrue);
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_APPWINDOW));
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_TOOLWINDOW));
    EXPECT_FALSE(IsWindowVisible(window.Get()));

    SetTaskbarVisibility(window.Get(), kFalse);
    EXPECT_FALSE(Has(ExStyle(window.Get()), WS_EX_APPWINDOW));
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_TOOLWINDOW));
    EXPECT_FALSE(IsWindowVisible(window.Get()));
}

TEST(SetTaskbarVisibility, AVisibleWindowIsShownAgain) {
    const UniqueWindow owner = MakeWindow(WS_OVERLAPPEDWINDOW);
    const UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, owner.Get());

    SetTaskbarVisibility(window.Get(), 1);  // any non-zero value asks for the button
    EXPECT_TRUE(Has(ExStyle(window.Get()), WS_EX_APPWINDOW));
    EXPECT_TRUE(IsWindowVisible(window.Get()));

    SetTaskbarVisibility(window.Get(), kFalse);
    EXPECT_FALSE(Has(ExStyle(window.Get()), WS_EX_APPWINDOW));
    EXPECT_TRUE(IsWindowVisible(window.Get()));
}

TEST(AttachToParent, MakesAVisibleChildCoveringTheHostsClientArea) {
    UniqueWindow host = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetForegroundWindow(host.Get());
    SetActiveWindow(host.Get());
    ASSERT_EQ(GetActiveWindow(), host.Get());
    // Built as the clock window is: an owned, sizable top-level window without a title bar.
    const UniqueWindow owner = MakeWindow(WS_OVERLAPPEDWINDOW);
    UniqueWindow window = MakeWindow(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, owner.Get());
    HideTitleBar(window.Get());

    AttachToParent(window.Get(), host.Get(), kTrue);

    EXPECT_EQ(GetParent(window.Get()), host.Get());
    EXPECT_EQ(GetAncestor(window.Get(), GA_PARENT), host.Get());
    EXPECT_TRUE(Has(Style(window.Get()), WS_CHILD));
    EXPECT_TRUE(IsWindowVisible(window.Get()));
    EXPECT_EQ(GetActiveWindow(), host.Get());

    RECT hostClient{};
    GetClientRect(host.Get(), &hostClient);
    RECT placed = WindowRect(window.Get());
    MapWindowPoints(HWND_DESKTOP, host.Get(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right, hostClient.right);
    EXPECT_EQ(placed.bottom, hostClient.bottom);

    // The host destroys its child with itself.
    const HWND child = window.Release();
    host.Reset();
    EXPECT_FALSE(IsWindow(child));
}

TEST(IsWindowHandle, KnowsLiveWindowsOnly) {
    UniqueWindow window = MakeWindow(WS_OVERLAPPEDWINDOW);
    const auto handle = reinterpret_cast<std::intptr_t>(window.Get());
    EXPECT_TRUE(IsWindowHandle(handle));
    window.Reset();
    EXPECT_FALSE(IsWindowHandle(handle));
    EXPECT_FALSE(IsWindowHandle(0));
}

}  // namespace
}  // namespace tavrino::win32
