// The user's options as the settings dialog shows them: seven check boxes, the clock's
// translucency and the screensaver's brightness. The last two boxes and the brightness are the
// screensaver's alone. The run keeps one copy: the settings dialog's logic reads it from the store,
// changes it and stores it again, and the clock reads it.
#pragma once

#include <array>
#include <cstddef>

#include "program/SettingsDialogLayout.h"
#include "seam/SettingsDialog.h"

namespace tavrino {

constexpr std::array kCheckBoxes = {
    CheckBox::TaskbarButton, CheckBox::LockPosition, CheckBox::AlwaysOnTop, CheckBox::BlueDigits,
    CheckBox::Fade,          CheckBox::AllMonitors,  CheckBox::Drift};
static_assert(kCheckBoxes.size() == kCheckBoxCount);

struct Options {
    // The slider's range; 0 is opaque.
    static constexpr int kMaxTranslucency = kTranslucencySlider.maximum;
    static constexpr int kMinBrightness = kBrightnessSlider.minimum;
    static constexpr int kMaxBrightness = kBrightnessSlider.maximum;

    std::array<CheckState, kCheckBoxes.size()> boxes{};
    int translucency = 0;
    int brightness = kMaxBrightness;  // in per cent

    CheckState& operator[](CheckBox box) { return boxes[static_cast<std::size_t>(box)]; }
    CheckState operator[](CheckBox box) const { return boxes[static_cast<std::size_t>(box)]; }
};

}  // namespace tavrino
