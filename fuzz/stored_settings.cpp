// The options and the window rectangle as read from a store holding any texts at all. The first
// byte picks the run mode and the screen's resolution; the NUL-separated parts after it are the
// stored values, in the order of kKeys (a missing part is an absent key).
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "program/Conversions.h"
#include "program/OptionsStore.h"
#include "program/WindowPlacement.h"

using namespace tavrino;
using fuzz::Require;

namespace {

constexpr std::array<std::string_view, 16> kKeys = {
    "TaskBar",          "OnTop",           "LockWindow",      "BlueNumbers",
    "Fading",           "Transparence",    "BlueNumbers.scr", "Fading.scr",
    "Transparence.scr", "WinLeft",         "WinTop",          "WinWidth",
    "WinHeight",        "AllMonitors.scr", "Drift.scr",       "Brightness.scr"};
constexpr std::array<int, 4> kResolutions = {96, 120, 144, 97};

// A wide primary monitor and a second one above and to its right.
const std::vector<PixelRect> kMonitors = {{0, 0, 1920, 1080}, {1920, -400, 3200, 624}};
constexpr PixelRect kWorkArea = {0, 0, 1920, 1040};

bool OnSomeMonitor(const WindowRect& rect) {
    return std::any_of(kMonitors.begin(), kMonitors.end(), [&](const PixelRect& m) {
        return rect.left < m.right && rect.left + rect.width > m.left && rect.top < m.bottom &&
               rect.top + rect.height > m.top;
    });
}

void CheckOptions(fuzz::MemoryStore& store, RunMode mode) {
    const Options options = ReadOptions(store, mode);
    for (const CheckState state : options.boxes) {
        const int value = static_cast<int>(state);
        Require(value >= 0 && value <= 2, "a check box is clear, ticked or greyed");
    }
    Require(options.translucency >= 0 && options.translucency <= Options::kMaxTranslucency,
            "the amount is within the slider's range");
    Require(options.brightness >= Options::kMinBrightness &&
                options.brightness <= Options::kMaxBrightness,
            "the brightness is within its slider's range");
    for (const CheckBox box : {CheckBox::AllMonitors, CheckBox::Drift}) {
        Require(options[box] != CheckState::Greyed, "the screensaver's own boxes are switches");
    }
    if (mode == RunMode::Desktop) {
        Require(options.brightness == Options::kMaxBrightness &&
                    options[CheckBox::AllMonitors] == CheckState::Ticked &&
                    options[CheckBox::Drift] == CheckState::Clear,
                "the desktop clock keeps the screensaver's own options at their defaults");
    }

    fuzz::MemoryStore saved;
    WriteOptions(saved, mode, options);
    const Options reread = ReadOptions(saved, mode);
    for (const CheckBox box : kCheckBoxes) {
        const CheckState stored =
            options[box] == CheckState::Clear ? options[box] : CheckState::Ticked;
        Require(reread[box] == stored, "a saved check box reads back");
    }
    Require(reread.translucency == options.translucency, "a saved amount reads back");
    Require(reread.brightness == options.brightness, "a saved brightness reads back");
}

void CheckWindowRect(fuzz::MemoryStore& store, int pixelsPerInch) {
    const WindowRect rect = ReadWindowRect(store);
    Require(rect.width >= kMinimumWindowPixels && rect.height >= kMinimumWindowPixels,
            "the window is never smaller than its minimum");
    Require(ToInt32(rect.left) && ToInt32(rect.top) && ToInt32(rect.width) && ToInt32(rect.height),
            "every stored coordinate fits 32 bits");
    const WindowRect shown = KeepOnScreen(rect, kMonitors, kWorkArea);
    Require(OnSomeMonitor(shown), "the window is on a monitor");

    const TwipsPerPixel twips = TwipsPerPixel::Of({pixelsPerInch, pixelsPerInch});
    const PixelRect placed = PlacedRect(shown, twips);
    fuzz::MemoryStore saved;
    StoreWindowRect(saved, placed, twips);
    Require(PlacedRect(ReadWindowRect(saved), twips) == placed,
            "a stored window rectangle reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[0];
    const std::vector<std::string_view> values = fuzz::PartsOf(fuzz::TextOf(data + 1, size - 1));
    fuzz::MemoryStore store;
    for (std::size_t i = 0; i < values.size() && i < kKeys.size(); ++i) {
        store.Write({{std::string(kKeys[i]), std::string(values[i])}});
    }
    CheckOptions(store, (choice & 1) != 0 ? RunMode::FullScreen : RunMode::Desktop);
    CheckWindowRect(store, kResolutions[(choice >> 1) % kResolutions.size()]);
    return 0;
}
