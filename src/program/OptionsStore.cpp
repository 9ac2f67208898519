#include "program/OptionsStore.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/Conversions.h"

namespace tavrino {

namespace {

// Whose key a box is: every run mode's, each run mode's own (with its suffix), or the
// screensaver's alone.
enum class KeyOwner { Shared, PerMode, Screensaver };

struct BoxKey {
    CheckBox box;
    std::string_view key;
    KeyOwner owner;
    CheckState defaultState;
};

constexpr std::array kBoxKeys = {
    BoxKey{CheckBox::TaskbarButton, "TaskBar", KeyOwner::Shared, CheckState::Ticked},
    BoxKey{CheckBox::AlwaysOnTop, "OnTop", KeyOwner::Shared, CheckState::Clear},
    BoxKey{CheckBox::LockPosition, "LockWindow", KeyOwner::Shared, CheckState::Clear},
    BoxKey{CheckBox::BlueDigits, "BlueNumbers", KeyOwner::PerMode, CheckState::Ticked},
    BoxKey{CheckBox::Fade, "Fading", KeyOwner::PerMode, CheckState::Ticked},
    BoxKey{CheckBox::AllMonitors, "AllMonitors", KeyOwner::Screensaver, CheckState::Ticked},
    BoxKey{CheckBox::Drift, "Drift", KeyOwner::Screensaver, CheckState::Clear},
};
constexpr std::string_view kAmountKey = "Transparence";
constexpr std::string_view kBrightnessKey = "Brightness";
constexpr int kDesktopAmount = 63;
constexpr int kScreensaverAmount = 31;

bool HasKey(const BoxKey& box, RunMode mode) {
    return box.owner != KeyOwner::Screensaver || mode != RunMode::Desktop;
}

std::string KeyOf(const BoxKey& box, RunMode mode) {
    return std::string(box.key) + std::string(box.owner == KeyOwner::Shared ? "" : KeySuffix(mode));
}

std::string SuffixedKey(std::string_view key, RunMode mode) {
    return std::string(key) + std::string(KeySuffix(mode));
}

CheckState StoredBox(const BoxKey& box, std::string_view text) {
    if (box.owner != KeyOwner::Screensaver) {
        return CheckBoxStateOf(text, box.defaultState);
    }
    const int fallback = box.defaultState == CheckState::Clear ? 0 : 1;
    return AmountOf(text, fallback, 0, 1) == 0 ? CheckState::Clear : CheckState::Ticked;
}

int StoredAmount(SettingsStore& store, const std::string& key, int fallback, int minimum,
                 int maximum) {
    const auto text = store.Read(key);
    return text ? AmountOf(*text, fallback, minimum, maximum) : fallback;
}

}  // namespace

Options ReadOptions(SettingsStore& store, RunMode mode) {
    Options options;
    for (const BoxKey& box : kBoxKeys) {
        const auto text = HasKey(box, mode) ? store.Read(KeyOf(box, mode)) : std::nullopt;
        options[box.box] = text ? StoredBox(box, *text) : box.defaultState;
    }
    const int defaultAmount = mode == RunMode::Desktop ? kDesktopAmount : kScreensaverAmount;
    options.translucency = StoredAmount(store, SuffixedKey(kAmountKey, mode), defaultAmount, 0,
                                        Options::kMaxTranslucency);
    if (mode != RunMode::Desktop) {
        options.brightness =
            StoredAmount(store, SuffixedKey(kBrightnessKey, mode), Options::kMaxBrightness,
                         Options::kMinBrightness, Options::kMaxBrightness);
    }
    return options;
}

void WriteOptions(SettingsStore& store, RunMode mode, const Options& options) {
    std::vector<Setting> settings;
    settings.reserve(kBoxKeys.size() + 2);
    for (const BoxKey& box : kBoxKeys) {
        if (HasKey(box, mode)) {
            settings.push_back({KeyOf(box, mode), CheckBoxText(options[box.box])});
        }
    }
    settings.push_back({SuffixedKey(kAmountKey, mode), AmountText(options.translucency)});
    if (mode != RunMode::Desktop) {
        settings.push_back({SuffixedKey(kBrightnessKey, mode), AmountText(options.brightness)});
    }
    store.Write(settings);
}

bool StoredTaskbarButton(SettingsStore& store) {
    constexpr BoxKey kTaskbar = kBoxKeys.front();
    static_assert(kTaskbar.box == CheckBox::TaskbarButton);
    return NumericValue(store.Read(kTaskbar.key).value_or("0")) != 0;
}

}  // namespace tavrino
