// The settings dialog as the program sees it: a window whose controls show one DialogState, which
// the program hands it whole, and which reports what the user does, one DialogEvent at a time.
// It never changes a control by itself.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <variant>

#include "seam/Screen.h"
#include "seam/Window.h"

namespace tavrino {

// The last two belong to the screensaver's own frame: a face on every monitor or the primary's
// only, and the face moving slowly about the centre.
enum class CheckBox {
    TaskbarButton,
    LockPosition,
    AlwaysOnTop,
    BlueDigits,
    Fade,
    AllMonitors,
    Drift
};
inline constexpr std::size_t kCheckBoxCount = 7;
enum class CheckState { Clear, Ticked, Greyed };

// Everything the dialog's controls show.
struct DialogState {
    struct Box {
        CheckState state = CheckState::Clear;
        bool enabled = true;
        friend bool operator==(const Box&, const Box&) = default;
    };

    std::array<Box, kCheckBoxCount> boxes{};  // indexed by CheckBox
    int translucency = 0;                     // where the slider is
    bool sliderEnabled = true;
    std::string amountText;   // beside the slider
    std::string versionText;  // under the program's name
    // The strip at the dialog's foot that holds the translucency controls; without it the
    // dialog is shorter.
    bool translucencyStrip = true;
    // The frame with the screensaver's own options below the translucency strip, or in its
    // place when the strip is cut off; only while the dialog edits the screensaver's keys.
    bool screensaverFrame = false;
    int brightness = 100;        // where the brightness slider is, in per cent
    std::string brightnessText;  // beside that slider

    Box& operator[](CheckBox box) { return boxes[static_cast<std::size_t>(box)]; }
    const Box& operator[](CheckBox box) const { return boxes[static_cast<std::size_t>(box)]; }
    friend bool operator==(const DialogState&, const DialogState&) = default;
};

// What the user did in the dialog.
struct CheckBoxClicked {
    CheckBox box;
    friend bool operator==(const CheckBoxClicked&, const CheckBoxClicked&) = default;
};
// The slider was moved (dragged or stepped) to amount.
struct SliderMoved {
    int amount;
    friend bool operator==(const SliderMoved&, const SliderMoved&) = default;
};
// The brightness slider was moved to percent.
struct BrightnessMoved {
    int percent;
    friend bool operator==(const BrightnessMoved&, const BrightnessMoved&) = default;
};
struct PictureClicked {
    friend bool operator==(const PictureClicked&, const PictureClicked&) = default;
};
// The OK button, Enter or Escape.
struct OkPressed {
    friend bool operator==(const OkPressed&, const OkPressed&) = default;
};
// Closed in any way but OK (the close box, Alt+F4).
struct CloseRequested {
    friend bool operator==(const CloseRequested&, const CloseRequested&) = default;
};
struct DialogActivated {
    friend bool operator==(const DialogActivated&, const DialogActivated&) = default;
};
// Another window of the program took the activation or the focus from the dialog.
struct DialogLeft {
    friend bool operator==(const DialogLeft&, const DialogLeft&) = default;
};

using DialogEvent = std::variant<CheckBoxClicked, SliderMoved, BrightnessMoved, PictureClicked,
                                 OkPressed, CloseRequested, DialogActivated, DialogLeft>;

class SettingsDialog : public Window {
  public:
    // The controls show the state; a control that shows its part already is left alone.
    virtual void ShowState(const DialogState& state) = 0;
    // Makes a window of another program (the system's screensaver settings) the dialog's owner,
    // which ShowModal then keeps disabled while the dialog is shown. Nothing changes when there is
    // no such window.
    virtual void BelongToHost(HostWindowId host) = 0;
    // Shows the dialog modally: runs whenShown once it is on screen, and returns when the
    // dialog has been hidden or closed.
    virtual void ShowModal(const std::function<void()>& whenShown) = 0;
};

// What the dialog reports to the program.
class SettingsDialogEvents {
  public:
    virtual ~SettingsDialogEvents() = default;
    virtual void OnEvent(const DialogEvent& event) = 0;

  protected:
    SettingsDialogEvents() = default;
    SettingsDialogEvents(const SettingsDialogEvents&) = default;
    SettingsDialogEvents& operator=(const SettingsDialogEvents&) = default;
};

// Makes and closes the one settings dialog.
class SettingsDialogs {
  public:
    virtual ~SettingsDialogs() = default;
    // A new dialog, hidden, reporting to events, laid out at the resolution the program reckons
    // with; one that was open is closed first.
    virtual SettingsDialog& Open(SettingsDialogEvents& events, PixelsPerInch resolution) = 0;
    // Closes the open dialog, if any; safe from inside one of the dialog's own events.
    virtual void Close() = 0;

  protected:
    SettingsDialogs() = default;
    SettingsDialogs(const SettingsDialogs&) = default;
    SettingsDialogs& operator=(const SettingsDialogs&) = default;
};

}  // namespace tavrino
