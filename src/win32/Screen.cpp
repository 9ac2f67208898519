#include "win32/Screen.h"

#include <windows.h>

#include "win32/Handles.h"

namespace tavrino::win32 {

namespace {

int DotsPerInch(HDC screen, int logicalPixelsIndex) {
    const int dpi = GetDeviceCaps(screen, logicalPixelsIndex);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

PixelRect ToPixelRect(const RECT& r) {
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM collected) {
    reinterpret_cast<std::vector<PixelRect>*>(collected)->push_back(ToPixelRect(*bounds));
    return TRUE;
}

}  // namespace

PixelsPerInch Screen::Resolution() const {
    const WindowDc screen(nullptr);
    return {DotsPerInch(screen.Get(), LOGPIXELSX), DotsPerInch(screen.Get(), LOGPIXELSY)};
}

PixelRect Screen::PrimaryMonitor() const {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<PixelRect> Screen::Monitors() const {
    std::vector<PixelRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

PixelRect Screen::PrimaryWorkArea() const {
    RECT area{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) == FALSE) {
        return PrimaryMonitor();
    }
    return ToPixelRect(area);
}

void Screen::MovePointer(int x, int y) {
    SetCursorPos(x, y);
}

}  // namespace tavrino::win32
