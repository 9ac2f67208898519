#include "program/WindowPlacement.h"

#include <algorithm>
#include <string>

#include "program/Conversions.h"

namespace tavrino {

namespace {

double ReadPixels(SettingsStore& store, std::string_view key, double defaultValue) {
    const std::string text =
        store.Read(key).value_or(std::to_string(static_cast<int>(defaultValue)));
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

float Twips(double pixels, float twipsPerPixel) {
    return static_cast<float>(pixels * twipsPerPixel);
}

}  // namespace

WindowRect ReadWindowRect(SettingsStore& store) {
    const WindowRect defaults;
    const double minimum = kMinimumWindowPixels;
    const double maximum = kMaximumWindowPixels;
    WindowRect rect;
    rect.left = ReadPixels(store, "WinLeft", defaults.left);
    rect.top = ReadPixels(store, "WinTop", defaults.top);
    // A window of no size could be neither seen, dragged nor resized, and would be stored again.
    rect.width = std::clamp(ReadPixels(store, "WinWidth", defaults.width), minimum, maximum);
    rect.height = std::clamp(ReadPixels(store, "WinHeight", defaults.height), minimum, maximum);
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

PixelRect PlacedRect(const WindowRect& rect, const TwipsPerPixel& twips) {
    return twips.RectFromTwips(Twips(rect.left, twips.x), Twips(rect.top, twips.y),
                               Twips(rect.width, twips.x), Twips(rect.height, twips.y));
}

void StoreWindowRect(SettingsStore& store, const PixelRect& rect, const TwipsPerPixel& twips) {
    store.Write({{"WinTop", PixelText(twips.TwipsY(rect.top) / twips.y)},
                 {"WinLeft", PixelText(twips.TwipsX(rect.left) / twips.x)},
                 {"WinWidth", PixelText(twips.TwipsX(rect.Width()) / twips.x)},
                 {"WinHeight", PixelText(twips.TwipsY(rect.Height()) / twips.y)}});
}

}  // namespace tavrino
