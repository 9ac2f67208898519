#include "program/FrmSet.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "program/Conversions.h"
#include "program/DialogTexts.h"

namespace tavrino {

namespace {

// Where the OK button sits in the dialog, in twips: its frame Frame1 inside the dialog, the
// button inside the frame. Used to put the pointer onto it in the screensaver modes.
constexpr float kFrame1Left = 1980;
constexpr float kFrame1Top = -30;
constexpr float kOkLeft = 120;
constexpr float kOkTop = 1440;
constexpr float kOkWidth = 3165;
constexpr float kOkHeight = 375;
// The pointer lands this many pixels right of and below the button's centre as computed.
constexpr double kPointerOffset = 16;

// Without translucency the dialog is this many pixels shorter, which cuts off its bottom strip.
constexpr float kTranslucencyStripPixels = 58;

std::size_t IndexOf(CheckBoxId box) {
    return static_cast<std::size_t>(box);
}

int NearestPixel(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

FrmSet::FrmSet(Platform& platform, MainMembers& frmMain, Tavrino& clockFace, WinVersion& winVersion,
               ShowMouse& showMouse)
    : platform_(platform),
      frmMain_(frmMain),
      clockFace_(clockFace),
      winVersion_(winVersion),
      showMouse_(showMouse) {}

void FrmSet::Load() {
    if (Loaded()) {
        return;
    }
    // A new dialog: its controls and its own state start afresh.
    controls_ = Controls{};
    Placed = 0;
    ContactShown = 0;
    SavedVersionText.clear();
    form_ = &platform_.LoadSettingsForm(*this);
    LoadEvent();
}

void FrmSet::LoadEvent() {
    RN = frmMain_.RN;
    PN = frmMain_.PN;
    SC = frmMain_.SC;
    ScreenTPPX = platform_.TwipsPerPixelX();
    ScreenTPPY = platform_.TwipsPerPixelY();
    form_->SetCaption(" " + PN + std::string(kCaptionSuffix));
    SetLabel(LabelId::lVer, controls_.lVer, std::string(kVersionPrefix) + frmMain_.VER);
    LoadSet();
    if (winVersion_.IsNtPlatform()) {
        EnableCheckBox(CheckBoxId::CkFade, true);
        controls_.HSTValEnabled = true;
        form_->EnableSlider(true);
    } else {
        EnableCheckBox(CheckBoxId::CkFade, false);
        controls_.HSTValEnabled = false;
        form_->EnableSlider(false);
        form_->SetHeight(form_->Height() - kTranslucencyStripPixels * ScreenTPPY);
    }
    SetHSTVal(frmMain_.TValue);
}

void FrmSet::Unload() {
    if (!Loaded()) {
        return;
    }
    SaveSet();
    form_ = nullptr;
    platform_.UnloadSettingsForm();
}

void FrmSet::Show() {
    Load();
    form_->Show();
}

void FrmSet::ShowModal(const std::function<void()>& whenShown) {
    Load();
    form_->ShowModal(whenShown);
}

void FrmSet::Hide() {
    if (Loaded()) {
        form_->Hide();
    }
}

SettingsForm& FrmSet::Form() {
    return *form_;
}

FrmSet::CheckBox& FrmSet::Box(CheckBoxId box) {
    return controls_.boxes[IndexOf(box)];
}

const FrmSet::CheckBox& FrmSet::Box(CheckBoxId box) const {
    return controls_.boxes[IndexOf(box)];
}

std::int16_t FrmSet::Value(CheckBoxId box) const {
    return Box(box).value;
}

bool FrmSet::Enabled(CheckBoxId box) const {
    return Box(box).enabled;
}

void FrmSet::SetValue(CheckBoxId box, std::int16_t state) {
    if (Box(box).value == state) {
        return;
    }
    Box(box).value = state;
    if (Loaded()) {
        form_->ShowCheckBox(box, state);
    }
    RunClickHandler(box);
}

void FrmSet::SetHSTVal(std::int16_t value) {
    const std::int16_t clamped = std::clamp<std::int16_t>(value, 0, kHSTValMax);
    if (controls_.HSTVal == clamped) {
        return;
    }
    controls_.HSTVal = clamped;
    if (Loaded()) {
        form_->ShowSlider(clamped);
    }
    HSTValChange();
}

void FrmSet::EnableCheckBox(CheckBoxId box, bool enabled) {
    Box(box).enabled = enabled;
    form_->EnableCheckBox(box, enabled);
}

void FrmSet::SetLabel(LabelId label, std::string& text, std::string value) {
    text = std::move(value);
    if (Loaded()) {
        form_->ShowLabel(label, text);
    }
}

std::string FrmSet::Read(const std::string& key, const char* defaultValue) {
    return platform_.ReadSetting(RN, PN, key, defaultValue);
}

void FrmSet::Write(const std::string& key, const std::string& value) {
    // A store that cannot be written loses the value; the program has no other place for it.
    platform_.WriteSetting(RN, PN, key, value);
}

void FrmSet::LoadSet() {
    if (!SC.empty()) {
        // The screensaver has no window of the desktop kind: these options only show.
        EnableCheckBox(CheckBoxId::CkTask, false);
        EnableCheckBox(CheckBoxId::CkOTop, false);
        EnableCheckBox(CheckBoxId::CkLock, false);
    }
    SetValue(CheckBoxId::CkTask, CheckBoxStateOf(Read("TaskBar", "1"), 1));
    SetValue(CheckBoxId::CkOTop, CheckBoxStateOf(Read("OnTop", "0"), 0));
    SetValue(CheckBoxId::CkLock, CheckBoxStateOf(Read("LockWindow", "0"), 0));
    SetValue(CheckBoxId::CkBlue, CheckBoxStateOf(Read("BlueNumbers" + SC, "1"), 1));
    SetValue(CheckBoxId::CkFade, CheckBoxStateOf(Read("Fading" + SC, "1"), 1));
    const std::int16_t defaultAmount = SC.empty() ? 63 : 31;
    const std::string defaultText = AmountText(defaultAmount);
    SetHSTVal(AmountOf(Read("Transparence" + SC, defaultText.c_str()), defaultAmount, kHSTValMax));
}

void FrmSet::SaveSet() {
    Write("TaskBar", CheckBoxText(Value(CheckBoxId::CkTask)));
    Write("OnTop", CheckBoxText(Value(CheckBoxId::CkOTop)));
    Write("LockWindow", CheckBoxText(Value(CheckBoxId::CkLock)));
    Write("BlueNumbers" + SC, CheckBoxText(Value(CheckBoxId::CkBlue)));
    Write("Fading" + SC, CheckBoxText(Value(CheckBoxId::CkFade)));
    Write("Transparence" + SC, AmountText(HSTVal()));
}

void FrmSet::RunClickHandler(CheckBoxId box) {
    switch (box) {
        case CheckBoxId::CkTask:
            CkTaskClick();
            break;
        case CheckBoxId::CkOTop:
            CkOTopClick();
            break;
        case CheckBoxId::CkBlue:
            CkBlueClick();
            break;
        case CheckBoxId::CkLock:
        case CheckBoxId::CkFade:
            break;  // stored only; read where they are used
    }
}

void FrmSet::CkTaskClick() {
    if (frmMain_.PStart == kFalse && frmMain_.PPreview == kFalse) {
        const Flag show = Value(CheckBoxId::CkTask) == 1 ? kTrue : kFalse;
        platform_.SetTaskbarVisibility(platform_.MainForm(), show);
    }
}

void FrmSet::CkOTopClick() {
    if (frmMain_.PConfig != kFalse) {
        return;  // the configuration run shows no clock to keep on top
    }
    const Flag onTop = Value(CheckBoxId::CkOTop) != 0 ? kTrue : kFalse;
    platform_.SetAlwaysOnTop(platform_.MainForm(), onTop);
    if (Loaded()) {
        platform_.SetAlwaysOnTop(*form_, onTop);
    }
}

void FrmSet::CkBlueClick() {
    if (Value(CheckBoxId::CkBlue) == 1) {
        clockFace_.SetBlueDigits();
    } else {
        clockFace_.SetGreenDigits();
    }
    clockFace_.DrawClock(-1);
}

void FrmSet::HSTValChange() {
    const std::int16_t amount = controls_.HSTVal;
    SetLabel(LabelId::LTVal, controls_.LTVal, AmountText(amount));
    frmMain_.TValue = amount;
    if (winVersion_.IsNtPlatform() && platform_.MainForm().Visible() &&
        winVersion_.LayeredWindowsAvailable()) {
        platform_.SetTranslucency(platform_.MainForm(), amount);
    }
}

void FrmSet::OnActivate() {
    if (!Loaded() || Placed != 0 || !form_->Visible()) {
        return;
    }
    Placed = 1;
    form_->SetTop(platform_.ScreenHeight() / 2 - form_->Height() / 2);
    form_->SetLeft(platform_.ScreenWidth() / 2 - form_->Width() / 2);
    if (frmMain_.PStart == kTrue || frmMain_.PPreview == kTrue) {
        const double x =
            (static_cast<double>(form_->Left()) + kFrame1Left + kOkLeft + kOkWidth / 2) /
                ScreenTPPX +
            kPointerOffset;
        const double y =
            (static_cast<double>(form_->Top()) + kFrame1Top + kOkTop + kOkHeight / 2) / ScreenTPPY +
            kPointerOffset;
        platform_.SetCursorPos(NearestPixel(x), NearestPixel(y));
    }
}

void FrmSet::OnDeactivate() {
    // While open, the dialog stays the program's active window.
    if (Loaded() && form_->Visible()) {
        form_->SetFocus();
    }
}

void FrmSet::OnLostFocus() {
    OnDeactivate();
}

void FrmSet::OnClose() {
    Unload();
}

void FrmSet::OnOkClick() {
    if (!Loaded()) {
        return;
    }
    Placed = 0;
    if (frmMain_.PStart == kTrue) {
        showMouse_.SetCursorVisible(kFalse, kFalse);  // F1 had shown it
    }
    SaveSet();
    form_->Hide();
}

void FrmSet::OnCheckBoxClick(CheckBoxId box) {
    if (!Loaded() || !Enabled(box)) {
        return;
    }
    SetValue(box, Value(box) == 0 ? 1 : 0);  // a greyed box clears
}

void FrmSet::SliderMoved(std::int16_t value) {
    if (!Loaded() || !controls_.HSTValEnabled) {
        return;
    }
    const std::int16_t clamped = std::clamp<std::int16_t>(value, 0, kHSTValMax);
    if (controls_.HSTVal == clamped) {
        return;
    }
    controls_.HSTVal = clamped;  // the slider already shows it
    HSTValChange();
}

void FrmSet::OnSliderChange(std::int16_t value) {
    SliderMoved(value);
}

void FrmSet::OnSliderScroll(std::int16_t value) {
    SliderMoved(value);
}

void FrmSet::OnImageClick() {
    if (!Loaded()) {
        return;
    }
    ContactShown = static_cast<std::int16_t>(ContactShown ^ 1);
    if (ContactShown == 0) {
        SetLabel(LabelId::lVer, controls_.lVer, SavedVersionText);
    } else {
        SavedVersionText = controls_.lVer;
        SetLabel(LabelId::lVer, controls_.lVer, std::string(kContactLine));
    }
}

}  // namespace tavrino
