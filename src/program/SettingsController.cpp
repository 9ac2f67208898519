#include "program/SettingsController.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <variant>

#include "program/Conversions.h"
#include "program/DialogTexts.h"
#include "program/FaceDrawing.h"
#include "program/OptionsStore.h"
#include "program/ProgramNames.h"
#include "program/SettingsDialogLayout.h"

namespace tavrino {

namespace {

// The screensaver modes put the pointer onto OK: this many pixels right of and below the
// button's centre as reckoned from the dialog's outer corner.
constexpr double kPointerOffset = 16;

std::size_t IndexOf(CheckBox box) {
    return static_cast<std::size_t>(box);
}

std::string DialogTitle() {
    std::string title = " ";
    title.append(kProgramName).append(kCaptionSuffix);
    return title;
}

int NearestPixel(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

SettingsController::SettingsController(const Frontend& frontend, const RunState& run,
                                       Options& options, ClockFaces& clockFaces)
    : frontend_(frontend), run_(run), options_(options), clockFaces_(clockFaces) {
    boxEnabled_.fill(true);
}

void SettingsController::Open() {
    if (dialog_ != nullptr) {
        return;
    }
    // A new dialog's controls start clear, at 0 and enabled; the clock keeps its amount.
    const int clockAmount = options_.translucency;
    options_ = Options{};
    boxEnabled_.fill(true);
    sliderEnabled_ = true;
    translucencyStrip_ = true;
    centred_ = false;
    showingContact_ = false;
    dialog_ = &frontend_.settingsDialogs.Open(*this, run_.resolution);
    dialog_->SetTitle(DialogTitle());
    ApplyStoredOptions();
    OfferTranslucency(frontend_.clockWindow.TranslucencyAvailable());
    // A store that reads 0 leaves the clock the amount it has.
    if (options_.translucency == 0) {
        SetTranslucency(clockAmount);
    }
    ShowState();
}

void SettingsController::ApplyStoredOptions() {
    const Options stored = ReadOptions(frontend_.store, run_.mode);
    if (run_.mode != RunMode::Desktop) {
        // The screensaver's window is not the desktop clock's kind: these options only show.
        for (const CheckBox box :
             {CheckBox::TaskbarButton, CheckBox::AlwaysOnTop, CheckBox::LockPosition}) {
            boxEnabled_[IndexOf(box)] = false;
        }
    }
    for (const CheckBox box : kCheckBoxes) {
        SetCheckBox(box, stored[box]);
    }
    SetBrightness(stored.brightness);
    // The amount last: it reaches the clock only once the clock is shown, which putting it on
    // top does.
    SetTranslucency(stored.translucency);
}

// Without translucency its controls are off, and the dialog goes without their strip.
void SettingsController::OfferTranslucency(bool available) {
    boxEnabled_[IndexOf(CheckBox::Fade)] = available;
    sliderEnabled_ = available;
    translucencyStrip_ = available;
}

DialogState SettingsController::State() const {
    DialogState state;
    for (const CheckBox box : kCheckBoxes) {
        state[box] = {options_[box], boxEnabled_[IndexOf(box)]};
    }
    state.translucency = options_.translucency;
    state.sliderEnabled = sliderEnabled_;
    state.amountText = AmountText(options_.translucency);
    state.versionText = showingContact_ ? std::string(kContactLine)
                                        : std::string(kVersionPrefix) + run_.versionText;
    state.translucencyStrip = translucencyStrip_;
    state.screensaverFrame = run_.mode != RunMode::Desktop;
    state.brightness = options_.brightness;
    state.brightnessText = AmountText(options_.brightness);
    return state;
}

void SettingsController::ShowState() {
    if (dialog_ != nullptr) {
        dialog_->ShowState(State());
    }
}

void SettingsController::ShowOnTop() {
    Open();
    dialog_->Show();
    dialog_->SetOnTop(true);
}

void SettingsController::ShowModalOnTop(HostWindowId owner) {
    Open();
    SettingsDialog& dialog = *dialog_;
    if (owner != 0) {
        dialog.BelongToHost(owner);
    }
    dialog.ShowModal([&dialog] { dialog.SetOnTop(true); });
}

void SettingsController::Hide() {
    if (dialog_ != nullptr) {
        dialog_->Hide();
    }
}

void SettingsController::Close() {
    if (dialog_ == nullptr) {
        return;
    }
    WriteOptions(frontend_.store, run_.mode, options_);
    dialog_ = nullptr;
    frontend_.settingsDialogs.Close();
}

void SettingsController::SetCheckBox(CheckBox box, CheckState state) {
    if (options_[box] == state) {
        return;
    }
    options_[box] = state;
    ShowState();
    ApplyCheckBox(box);
}

void SettingsController::ApplyCheckBox(CheckBox box) {
    ClockWindow& clock = frontend_.clockWindow;
    const CheckState state = options_[box];
    switch (box) {
        case CheckBox::TaskbarButton:
            if (!IsScreensaverWindow(run_.mode)) {
                clock.ShowTaskbarButton(state == CheckState::Ticked);
            }
            break;
        case CheckBox::AlwaysOnTop:
            // The configuration run shows no clock to keep on top.
            if (run_.mode != RunMode::Configuration) {
                clock.SetOnTop(state != CheckState::Clear);
                if (dialog_ != nullptr) {
                    dialog_->SetOnTop(state != CheckState::Clear);
                }
            }
            break;
        case CheckBox::BlueDigits:
            ShowDigitColour(clockFaces_, state);
            clockFaces_.DrawClock(Redraw::Everything);
            break;
        case CheckBox::AllMonitors:
        case CheckBox::Drift:
            ShowFaceOptions();
            break;
        case CheckBox::LockPosition:
        case CheckBox::Fade:
            break;  // read where they are used
    }
}

void SettingsController::SetTranslucency(int amount) {
    if (TakeTranslucency(amount)) {
        TranslucencyChanged();
    }
}

bool SettingsController::TakeTranslucency(int amount) {
    const int clamped = std::clamp(amount, 0, Options::kMaxTranslucency);
    if (options_.translucency == clamped) {
        return false;
    }
    options_.translucency = clamped;
    return true;
}

void SettingsController::TranslucencyChanged() {
    ShowState();
    ClockWindow& clock = frontend_.clockWindow;
    if (clock.TranslucencyAvailable() && clock.Visible()) {
        clock.SetTranslucency(options_.translucency);
    }
}

void SettingsController::OnEvent(const DialogEvent& event) {
    std::visit([this](const auto& happened) { Handle(happened); }, event);
}

void SettingsController::Handle(const DialogActivated&) {
    if (dialog_ == nullptr || centred_ || !dialog_->Visible()) {
        return;
    }
    centred_ = true;
    const TwipsPerPixel& twips = run_.twips;
    const PixelRect screen = frontend_.screen.PrimaryMonitor();
    const PixelRect rect = dialog_->Rect();
    const float top = twips.TwipsY(screen.Height()) / 2 - twips.TwipsY(rect.Height()) / 2;
    const float left = twips.TwipsX(screen.Width()) / 2 - twips.TwipsX(rect.Width()) / 2;
    dialog_->SetRect(MovedTo(rect, twips.PixelsX(left), twips.PixelsY(top)));
    if (IsScreensaverWindow(run_.mode)) {
        PointerOntoOk();
    }
}

void SettingsController::PointerOntoOk() {
    const TwipsPerPixel& twips = run_.twips;
    const PixelRect rect = dialog_->Rect();
    const TwipsBox ok = LayoutOf(DialogControl::OkButton).box;
    const double x =
        (static_cast<double>(twips.TwipsX(rect.left)) + ok.left + ok.width / 2.0) / twips.x +
        kPointerOffset;
    const double y =
        (static_cast<double>(twips.TwipsY(rect.top)) + ok.top + ok.height / 2.0) / twips.y +
        kPointerOffset;
    frontend_.screen.MovePointer(NearestPixel(x), NearestPixel(y));
}

void SettingsController::Handle(const DialogLeft&) {
    // While open, the dialog stays the program's active window.
    if (dialog_ != nullptr && dialog_->Visible()) {
        dialog_->Focus();
    }
}

void SettingsController::Handle(const CloseRequested&) {
    Close();
}

void SettingsController::Handle(const OkPressed&) {
    if (dialog_ == nullptr) {
        return;
    }
    centred_ = false;
    if (IsFullScreen(run_.mode)) {
        frontend_.clockWindow.SetPointerVisible(false);  // F1 had shown it
    }
    WriteOptions(frontend_.store, run_.mode, options_);
    dialog_->Hide();
}

void SettingsController::Handle(const CheckBoxClicked& event) {
    if (dialog_ == nullptr || !boxEnabled_[IndexOf(event.box)]) {
        return;
    }
    // A greyed box clears.
    SetCheckBox(event.box,
                options_[event.box] == CheckState::Clear ? CheckState::Ticked : CheckState::Clear);
}

void SettingsController::Handle(const SliderMoved& event) {
    if (dialog_ != nullptr && sliderEnabled_) {
        SetTranslucency(event.amount);
    }
}

void SettingsController::Handle(const BrightnessMoved& event) {
    if (dialog_ != nullptr && run_.mode != RunMode::Desktop) {
        SetBrightness(event.percent);
        ShowState();
    }
}

void SettingsController::SetBrightness(int percent) {
    const int clamped = std::clamp(percent, Options::kMinBrightness, Options::kMaxBrightness);
    if (options_.brightness != clamped) {
        options_.brightness = clamped;
        ShowFaceOptions();
    }
}

// The running screensaver shows the change at once.
void SettingsController::ShowFaceOptions() {
    clockFaces_.SetOptions(FaceOptionsOf(options_, run_.mode));
    clockFaces_.DrawClock(Redraw::Everything);
}

void SettingsController::Handle(const PictureClicked&) {
    if (dialog_ != nullptr) {
        showingContact_ = !showingContact_;
        ShowState();
    }
}

}  // namespace tavrino
