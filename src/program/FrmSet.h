// The settings dialog frmSet: the program's only dialog and the only in-memory copy of the user's
// options. Its controls (five check boxes, the translucency slider HSTVal and the labels LTVal and
// lVer) are modelled here; the dialog window only displays them, and reports clicks and slider
// moves back. Setting a control's value from code runs that control's handler exactly when the
// value changes, as a user action would, which is how the stored options take effect at start-up.
//
// The dialog is loaded hidden during the main window's load, shown modeless by F1 or modally in
// configuration mode, hidden by OK, and unloaded at shutdown or when the user closes it otherwise;
// F1 then loads it anew and its load event reads the options back from the store.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "clockface/Tavrino.h"
#include "program/MainMembers.h"
#include "program/ShowMouse.h"
#include "program/WinVersion.h"
#include "seam/Platform.h"

namespace tavrino {

class FrmSet final : public SettingsFormEvents {
  public:
    static constexpr std::int16_t kHSTValMax = 239;

    FrmSet(Platform& platform, MainMembers& frmMain, Tavrino& clockFace, WinVersion& winVersion,
           ShowMouse& showMouse);

    // Creates the dialog hidden and runs its load event; nothing when it is loaded already.
    void Load();
    // Runs the unload event (which saves the options) and destroys the dialog, if loaded.
    void Unload();
    bool Loaded() const { return form_ != nullptr; }
    // Modeless; loads the dialog first when needed.
    void Show();
    // Modal; loads the dialog first when needed and returns when it has been hidden or unloaded.
    void ShowModal(const std::function<void()>& whenShown);
    void Hide();
    // The dialog window; only while loaded.
    SettingsForm& Form();

    // The controls.
    std::int16_t Value(CheckBoxId box) const;
    void SetValue(CheckBoxId box, std::int16_t state);
    bool Enabled(CheckBoxId box) const;
    std::int16_t HSTVal() const { return controls_.HSTVal; }
    void SetHSTVal(std::int16_t value);
    bool HSTValEnabled() const { return controls_.HSTValEnabled; }
    const std::string& LTVal() const { return controls_.LTVal; }
    const std::string& lVer() const { return controls_.lVer; }

    // Between the controls and the settings store.
    void LoadSet();
    void SaveSet();

    // Events of the dialog window.
    void OnActivate() override;
    void OnDeactivate() override;
    void OnLostFocus() override;
    void OnClose() override;
    void OnOkClick() override;
    void OnCheckBoxClick(CheckBoxId box) override;
    void OnSliderChange(std::int16_t value) override;
    void OnSliderScroll(std::int16_t value) override;
    void OnImageClick() override;

  private:
    struct CheckBox {
        std::int16_t value = 0;
        bool enabled = true;
    };
    // The state of the controls when the dialog is created.
    struct Controls {
        std::array<CheckBox, 5> boxes{};
        std::int16_t HSTVal = 0;
        bool HSTValEnabled = true;
        std::string LTVal = "0";
        std::string lVer = "Version ";
    };

    void LoadEvent();
    void RunClickHandler(CheckBoxId box);
    void CkTaskClick();
    void CkOTopClick();
    void CkBlueClick();
    void HSTValChange();
    void SliderMoved(std::int16_t value);
    void SetLabel(LabelId label, std::string& text, std::string value);
    void EnableCheckBox(CheckBoxId box, bool enabled);
    CheckBox& Box(CheckBoxId box);
    const CheckBox& Box(CheckBoxId box) const;
    std::string Read(const std::string& key, const char* defaultValue);
    void Write(const std::string& key, const std::string& value);

    Platform& platform_;
    MainMembers& frmMain_;
    Tavrino& clockFace_;
    WinVersion& winVersion_;
    ShowMouse& showMouse_;
    SettingsForm* form_ = nullptr;
    Controls controls_;

    // Copies taken from frmMain at load.
    std::string RN;
    std::string PN;
    std::string SC;
    float ScreenTPPX = 0;
    float ScreenTPPY = 0;
    std::int16_t Placed = 0;        // 1 once centred since the dialog was last closed with OK
    std::int16_t ContactShown = 0;  // 1 while lVer shows the contact line
    std::string SavedVersionText;
};

}  // namespace tavrino
