// The settings dialog as a Win32 dialog: the window and its controls made and laid out from
// program/SettingsDialogLayout.h, the state the program pushes shown in them, and the user's
// clicks, keys and slider moves passed back as DialogEvents. The dialog never changes a
// control's state on its own: a click on a check box is reported, and the program sets the box.
//
// The window is created hidden, owned by a hidden window of its own so that it has no taskbar
// button, or by the host window of another program it is told to belong to, which it keeps
// disabled while it is shown modally. While it is shown it takes the activation back from the
// program's other windows (the clock), never from another program. Whenever it gets the focus back,
// the control that had it last gets it, as after the user switched away and back.
//
// Its shape follows the state: the screensaver's frame comes and goes, the translucency strip is
// cut off or not; the client area, the controls' places and which controls show follow the shape.
// Moved to a monitor of another scale, it lays itself out again from the same twips at the new
// resolution, with its fonts and its picture of the clock made anew at the new size.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string_view>

#include "program/SettingsDialogLayout.h"
#include "program/Twips.h"
#include "seam/Screen.h"
#include "seam/SettingsDialog.h"
#include "win32/Handles.h"
#include "win32/TopLevelWindow.h"

namespace tavrino::win32 {

class SettingsDialog final : public TopLevelWindow<tavrino::SettingsDialog> {
  public:
    // The layout's twips become pixels at the screen's resolution.
    SettingsDialog(HINSTANCE instance, SettingsDialogEvents& events, PixelsPerInch resolution);
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;
    ~SettingsDialog() override;

    void ShowState(const DialogState& state) override;
    void BelongToHost(HostWindowId host) override;
    void ShowModal(const std::function<void()>& whenShown) override;
    // The host it belongs to is enabled first, so that the activation can go back to it.
    void Hide() override;

    // Keyboard navigation, default and cancel keys for a message of the thread's loop; true
    // when the dialog took the message.
    bool PreTranslate(MSG& message);

    HWND Handle() const { return window_.Get(); }
    HWND Control(DialogControl control) const;

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // False when the message is left to the dialog manager.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateFonts();
    void CreateControls(HINSTANCE instance);
    void SetUpSlider(DialogControl slider, const SliderRange& range, int position);
    // The client area the shape takes at the current resolution; the window keeps its top left
    // corner.
    void FitClientArea();
    // Places every control and shows or hides it, as the shape says at the current resolution.
    void PlaceControls();
    // Places the controls and gives each its font, at the current resolution.
    void LayOutControls();
    // The picture of the clock drawn at the size of the inside of its border.
    void ShowPicture();
    void OnDpiChanged(WPARAM resolution, const RECT& suggested);
    void CreateToolTip(HINSTANCE instance);
    void LoadPointers(HINSTANCE instance);
    RECT PlaceOf(const DialogControlLayout& control) const;
    DialogShape Shape() const { return DialogShape::Of(shown_); }

    void ShowCheckBoxes(const DialogState& state);
    void ShowSliders(const DialogState& state);
    void ShowText(DialogControl label, const std::string& text, const std::string& shown);

    void OnCommand(int id, int code);
    // False when the message comes from no slider of the dialog.
    bool OnSlider(HWND slider, int code);
    // The control that has the focus, kept for when the dialog gets the focus back.
    void RememberFocus(HWND focus);
    // Gives the focus to the control that had it last, or else to the first tab stop.
    void RestoreFocus();
    void OnActivate(WPARAM wParam, HWND other);
    void OnKillFocus(HWND other);
    // Posts the message that takes the activation back, once for any number of reasons.
    void TakeBackLater();
    void OnTakeBack();
    bool OnSetCursor(HWND over, int hitTest);
    void DrawLine(const DRAWITEMSTRUCT& item);
    // Whether another window of this process (not the dialog or one of its own) is now active.
    bool IsOtherWindowOfProgram(HWND other) const;
    void EnableHost(bool enabled);

    SettingsDialogEvents& events_;
    TwipsPerPixel twips_;
    DialogState shown_ = StateAsMade();  // what the controls show
    UniqueWindow owner_;                 // hidden; keeps the dialog off the taskbar
    UniqueWindow window_;
    std::array<UniqueGdiObject, kTextStyleSizes.size()> fonts_;  // indexed by TextStyle
    UniqueGdiObject picture_;
    HCURSOR dialogPointer_ = nullptr;
    HCURSOR picturePointer_ = nullptr;
    HCURSOR handPointer_ = nullptr;
    HWND focusedControl_ = nullptr;
    HWND host_ = nullptr;  // the other program's window it belongs to, if any
    bool hostDisabled_ = false;
    // Another window of the program took the activation or the focus, and the posted message
    // that takes it back has not arrived yet.
    bool takeBackPending_ = false;
    // Set while ShowModal runs, so that it notices when the events destroy the dialog.
    bool* destroyed_ = nullptr;
};

}  // namespace tavrino::win32
