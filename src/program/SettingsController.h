// The settings dialog's behaviour. The dialog only shows the state this hands it and reports what
// the user does; this keeps the options, reads them from the store when a dialog opens and stores
// them when it is confirmed or closed. A box or the amount that changes takes effect at once,
// whether the user or the store changed it: opening a dialog starts its controls clear and at 0, so
// the stored options take effect through the same path as the user's clicks.
//
// The dialog opens hidden while the clock starts, is shown modeless by F1 or modally in the
// configuration run, is hidden by OK, and closes at the end of the run or when the user closes it
// otherwise; F1 then opens a new one, which reads the options back from the store.
#pragma once

#include <array>

#include "program/ClockFaces.h"
#include "program/Options.h"
#include "program/RunState.h"
#include "seam/Frontend.h"

namespace tavrino {

class SettingsController final : public SettingsDialogEvents {
  public:
    SettingsController(const Frontend& frontend, const RunState& run, Options& options,
                       ClockFaces& clockFaces);
    SettingsController(const SettingsController&) = delete;
    SettingsController& operator=(const SettingsController&) = delete;

    // Opens the dialog hidden, with the stored options; nothing when it is open.
    void Open();
    // Opens the dialog when needed, shows it and puts it on top.
    void ShowOnTop();
    // Opens the dialog when needed and shows it modally, on top once shown; a host window that
    // is not 0 becomes its owner. Returns when it has been hidden or closed.
    void ShowModalOnTop(HostWindowId owner = 0);
    void Hide();
    // Stores the options and closes the dialog, if it is open.
    void Close();
    // The dialog shows the state; a state that differs from the box's takes effect.
    void SetCheckBox(CheckBox box, CheckState state);

    void OnEvent(const DialogEvent& event) override;

  private:
    void Handle(const DialogActivated& event);
    void Handle(const DialogLeft& event);
    void Handle(const CloseRequested& event);
    void Handle(const OkPressed& event);
    void Handle(const CheckBoxClicked& event);
    void Handle(const SliderMoved& event);
    void Handle(const BrightnessMoved& event);
    void Handle(const PictureClicked& event);

    void ApplyStoredOptions();
    void OfferTranslucency(bool available);
    // What the dialog shows now.
    DialogState State() const;
    void ShowState();
    void ApplyCheckBox(CheckBox box);
    void SetTranslucency(int amount);
    // Keeps the percentage, brought into the brightness slider's range.
    void SetBrightness(int percent);
    void ShowFaceOptions();
    // Keeps the amount, brought into the slider's range; false when it had that amount already.
    bool TakeTranslucency(int amount);
    void TranslucencyChanged();
    void PointerOntoOk();

    Frontend frontend_;
    const RunState& run_;
    Options& options_;
    ClockFaces& clockFaces_;
    SettingsDialog* dialog_ = nullptr;  // the open dialog, if any

    std::array<bool, kCheckBoxes.size()> boxEnabled_{};
    bool sliderEnabled_ = true;
    bool translucencyStrip_ = true;
    bool centred_ = false;         // since the dialog opened or was last confirmed
    bool showingContact_ = false;  // the version label shows the contact line
};

}  // namespace tavrino
