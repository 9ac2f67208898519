#include "program/OptionsStore.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "program/Conversions.h"

namespace tavrino {

namespace {

struct BoxKey {
    CheckBox box;
    std::string_view key;
    bool ownScreensaverKey;
    CheckState defaultState;
};

constexpr std::array kBoxKeys = {
    BoxKey{CheckBox::TaskbarButton, "TaskBar", false, CheckState::Ticked},
    BoxKey{CheckBox::AlwaysOnTop, "OnTop", false, CheckState::Clear},
    BoxKey{CheckBox::LockPosition, "LockWindow", false, CheckState::Clear},
    BoxKey{CheckBox::BlueDigits, "BlueNumbers", true, CheckState::Ticked},
    BoxKey{CheckBox::Fade, "Fading", true, CheckState::Ticked},
};
constexpr std::string_view kAmountKey = "Transparence";
constexpr int kDesktopAmount = 63;
constexpr int kScreensaverAmount = 31;

std::string KeyOf(const BoxKey& box, RunMode mode) {
    return std::string(box.key) + std::string(box.ownScreensaverKey ? KeySuffix(mode) : "");
}

std::string AmountKey(RunMode mode) {
    return std::string(kAmountKey) + std::string(KeySuffix(mode));
}

}  // namespace

Options ReadOptions(SettingsStore& store, RunMode mode) {
    Options options;
    for (const BoxKey& box : kBoxKeys) {
        const auto text = store.Read(KeyOf(box, mode));
        options[box.box] = text ? CheckBoxStateOf(*text, box.defaultState) : box.defaultState;
    }
    const int defaultAmount = mode == RunMode::Desktop ? kDesktopAmount : kScreensaverAmount;
    const auto amount = store.Read(AmountKey(mode));
    options.translucency =
        amount ? AmountOf(*amount, defaultAmount, Options::kMaxTranslucency) : defaultAmount;
    return options;
}

void WriteOptions(SettingsStore& store, RunMode mode, const Options& options) {
    std::vector<Setting> settings;
    settings.reserve(kBoxKeys.size() + 1);
    for (const BoxKey& box : kBoxKeys) {
        settings.push_back({KeyOf(box, mode), CheckBoxText(options[box.box])});
    }
    settings.push_back({AmountKey(mode), AmountText(options.translucency)});
    store.Write(settings);
}

bool StoredTaskbarButton(SettingsStore& store) {
    constexpr BoxKey kTaskbar = kBoxKeys.front();
    static_assert(kTaskbar.box == CheckBox::TaskbarButton);
    return NumericValue(store.Read(kTaskbar.key).value_or("0")) != 0;
}

}  // namespace tavrino
