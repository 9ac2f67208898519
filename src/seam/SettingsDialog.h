// The settings dialog as the program sees it: a window with five check boxes, a translucency
// slider and two labels whose state the program sets; the dialog only shows that state and
// reports what the user does. It never changes a control by itself.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "seam/Screen.h"
#include "seam/Window.h"

namespace tavrino {

enum class CheckBox { TaskbarButton, LockPosition, AlwaysOnTop, BlueDigits, Fade };
// The values are the ones the store keeps.
enum class CheckState : std::int16_t { Clear = 0, Ticked = 1, Greyed = 2 };
enum class DialogLabel { Version, TranslucencyAmount };

class SettingsDialog : public Window {
  public:
    virtual void ShowCheckBox(CheckBox box, CheckState state) = 0;
    virtual void EnableCheckBox(CheckBox box, bool enabled) = 0;
    virtual void ShowSlider(int amount) = 0;
    virtual void EnableSlider(bool enabled) = 0;
    virtual void ShowLabel(DialogLabel label, std::string_view text) = 0;

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
    virtual void OnActivated() = 0;
    // Another window of the program became active.
    virtual void OnDeactivated() = 0;
    virtual void OnLostFocus() = 0;
    // Closed in any way but OK (the close box, Alt+F4).
    virtual void OnClose() = 0;
    // The OK button, Enter or Escape.
    virtual void OnOk() = 0;
    virtual void OnCheckBoxClicked(CheckBox box) = 0;
    // The slider was moved (dragged or stepped) to amount.
    virtual void OnSliderMoved(int amount) = 0;
    virtual void OnPictureClicked() = 0;

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
