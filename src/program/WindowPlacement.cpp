#include "program/WindowPlacement.h"

#include <algorithm>
#include <string>

#include "program/Conversions.h"

namespace tavrino {

namespace {

double ReadPixels(Platform& platform, std::string_view application, std::string_view section,
                  std::string_view key, double defaultValue) {
    const std::string text = platform.ReadSetting(application, section, key,
                                                  std::to_string(static_cast<int>(defaultValue)));
    const auto value = LeadingNumber(text);
    if (!value || !ToInt32(*value)) {
        return defaultValue;
    }
    return *value;
}

bool Overlaps(const WindowRect& rect, const PixelRect& monitor) {
    return rect.left < monitor.right && rect.left + rect.width > monitor.left &&
           rect.top < monitor.bottom && rect.top + rect.height > monitor.top;
}

// The position that keeps [start, start + size) inside [low, high), or low when it cannot fit.
double Inside(double start, double size, double low, double high) {
    return std::max(low, std::min(start, high - size));
}

}  // namespace

WindowRect ReadWindowRect(Platform& platform, std::string_view application,
                          std::string_view section) {
    const WindowRect defaults;
    WindowRect rect;
    rect.left = ReadPixels(platform, application, section, "WinLeft", defaults.left);
    rect.top = ReadPixels(platform, application, section, "WinTop", defaults.top);
    // A window of no size could be neither seen, dragged nor resized, and would be stored again.
    rect.width =
        std::max<double>(ReadPixels(platform, application, section, "WinWidth", defaults.width),
                         kMinimumWindowPixels);
    rect.height =
        std::max<double>(ReadPixels(platform, application, section, "WinHeight", defaults.height),
                         kMinimumWindowPixels);
    return rect;
}

WindowRect KeepOnScreen(const WindowRect& rect, const std::vector<PixelRect>& monitors,
                        const PixelRect& workArea) {
    const bool visible = std::any_of(monitors.begin(), monitors.end(),
                                     [&](const PixelRect& m) { return Overlaps(rect, m); });
    if (visible) {
        return rect;
    }
    WindowRect moved = rect;
    moved.left = Inside(rect.left, rect.width, workArea.left, workArea.right);
    moved.top = Inside(rect.top, rect.height, workArea.top, workArea.bottom);
    return moved;
}

}  // namespace tavrino
