// Everything the program's logic asks of the window toolkit and the operating system, and the
// events it receives back. The logic (main window, settings dialog, window services) is written
// once against these interfaces; a frontend (Win32 today) implements them, and the tests replace
// them with a recording fake. Nothing here includes an operating-system header.
//
// Units follow the program's own conventions: window and control geometry in twips, screen
// rectangles and pointer positions in pixels, flags as 16-bit integers with -1 for true.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "seam/ClockWindow.h"
#include "seam/Geometry.h"
#include "seam/Time.h"
#include "surface/Colour.h"
#include "surface/Surface.h"

namespace tavrino {

using Flag = std::int16_t;  // -1 true, 0 false
constexpr Flag kTrue = -1;
constexpr Flag kFalse = 0;

using WindowHandle = std::intptr_t;

// The members of the operating system's version record that the program reads.
struct OsVersionRecord {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t platformId = 0;  // 2 = the NT family
};

// The version triple of the program's own version record.
struct ProgramVersionTriple {
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;
};

// A top-level window of the toolkit: frmMain or frmSet. Position and size are those of the
// outer rectangle, in twips, relative to the screen (or to the parent's client area for a child).
class Form {
  public:
    virtual ~Form() = default;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
    virtual void Move(float left, float top, float width, float height) = 0;

    // Inner (client) size in twips.
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    virtual bool Visible() const = 0;
    virtual void Show() = 0;  // modeless
    virtual void Hide() = 0;
    virtual void SetFocus() = 0;

    virtual WindowState GetWindowState() const = 0;
    virtual void SetWindowState(WindowState state) = 0;

    virtual void SetBorderStyleNone() = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void SetBackColour(Colour colour) = 0;

    virtual WindowHandle Handle() const = 0;

  protected:
    Form() = default;
    Form(const Form&) = default;
    Form& operator=(const Form&) = default;
};

// The picture box Pic1 that covers frmMain's client area; its surface is the clock face's.
class PictureBox {
  public:
    virtual ~PictureBox() = default;

    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;

    virtual Surface& DrawingSurface() = 0;

  protected:
    PictureBox() = default;
    PictureBox(const PictureBox&) = default;
    PictureBox& operator=(const PictureBox&) = default;
};

// The controls of frmSet whose state the logic owns and the dialog shows.
enum class CheckBoxId { CkTask, CkLock, CkOTop, CkBlue, CkFade };
enum class LabelId { lVer, LTVal };

// The settings dialog as the logic sees it: a form plus the state of its controls. The logic
// pushes every change of a control's state here; the dialog only displays it.
class SettingsForm : public Form {
  public:
    virtual void ShowCheckBox(CheckBoxId box, std::int16_t state) = 0;  // 0, 1 or 2 (greyed)
    virtual void EnableCheckBox(CheckBoxId box, bool enabled) = 0;
    virtual void ShowSlider(std::int16_t value) = 0;  // HSTVal, 0..239
    virtual void EnableSlider(bool enabled) = 0;
    virtual void ShowLabel(LabelId label, std::string_view text) = 0;

    // Shows the dialog modally: runs whenShown once it is on screen, then returns when the
    // dialog has been hidden or unloaded.
    virtual void ShowModal(const std::function<void()>& whenShown) = 0;
};

// What frmMain hears from its window. The frontend calls these from its message handling.
class MainFormEvents {
  public:
    virtual ~MainFormEvents() = default;
    virtual void OnLoad() = 0;
    virtual void OnTimer() = 0;  // Timer1, every 250 ms while it is on
    virtual void OnGotFocus() = 0;
    virtual void OnResize() = 0;
    virtual void OnKeyDown(int keyCode, int shift) = 0;  // shift: 1 Shift, 2 Ctrl, 4 Alt
    virtual void OnClick() = 0;
    // button: 1 left, 2 right, 4 middle; x, y in twips within the window.
    virtual void OnMouseMove(int button, int shift, float x, float y) = 0;
    // The window is being closed by the system or the window manager.
    virtual void OnClose() = 0;
    // The preview host destroyed its window (and with it ours).
    virtual void OnHostGone() = 0;

  protected:
    MainFormEvents() = default;
    MainFormEvents(const MainFormEvents&) = default;
    MainFormEvents& operator=(const MainFormEvents&) = default;
};

// What frmSet hears from its dialog.
class SettingsFormEvents {
  public:
    virtual ~SettingsFormEvents() = default;
    virtual void OnActivate() = 0;
    virtual void OnDeactivate() = 0;
    virtual void OnLostFocus() = 0;
    virtual void OnClose() = 0;    // closed by any way other than OK: the dialog unloads
    virtual void OnOkClick() = 0;  // cOk, Enter or Escape
    virtual void OnCheckBoxClick(CheckBoxId box) = 0;     // the user clicked the box
    virtual void OnSliderChange(std::int16_t value) = 0;  // HSTVal moved to value
    virtual void OnSliderScroll(std::int16_t value) = 0;  // HSTVal thumb dragged to value
    virtual void OnImageClick() = 0;

  protected:
    SettingsFormEvents() = default;
    SettingsFormEvents(const SettingsFormEvents&) = default;
    SettingsFormEvents& operator=(const SettingsFormEvents&) = default;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // The two windows. frmMain exists from start-up; frmSet exists between LoadSettingsForm and
    // UnloadSettingsForm and may be loaded again afterwards.
    virtual Form& MainForm() = 0;
    virtual PictureBox& Pic1() = 0;
    virtual SettingsForm& LoadSettingsForm(SettingsFormEvents& events) = 0;  // created hidden
    virtual void UnloadSettingsForm() = 0;
    // Where frmMain's events go; the program connects itself once, before the load event.
    virtual void SetMainFormEvents(MainFormEvents& events) = 0;

    // The screen.
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;
    virtual float ScreenWidth() const = 0;   // twips
    virtual float ScreenHeight() const = 0;  // twips
    virtual std::vector<PixelRect> MonitorRects() const = 0;
    virtual PixelRect PrimaryWorkArea() const = 0;

    // The message loop and Timer1 (250 ms).
    virtual void DoEvents() = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;

    // Window services over the window manager.
    virtual void SetTranslucency(Form& form, int amount) = 0;  // amount 0..255, alpha 255 - amount
    virtual void SetAlwaysOnTop(Form& form, Flag onTop) = 0;
    virtual void SetTaskbarVisibility(Form& form, Flag show) = 0;
    virtual void HideTitleBar(Form& form) = 0;
    virtual void AttachToParent(Form& form, WindowHandle host, Flag fitSize) = 0;
    virtual bool IsWindow(WindowHandle handle) const = 0;

    // The pointer: the platform's display counter (visible while not negative) and its position.
    virtual int ShowCursor(bool show) = 0;  // returns the new counter
    virtual void SetCursorPos(int x, int y) = 0;

    // Versions.
    virtual bool GetVersionEx(OsVersionRecord& record) = 0;  // false leaves record untouched
    virtual ProgramVersionTriple ProgramVersion() const = 0;

    // The per-user settings store. Values are text; an absent application, section or key gives
    // the default. WriteSetting reports whether the value was stored.
    virtual std::string ReadSetting(std::string_view application, std::string_view section,
                                    std::string_view key, std::string_view defaultValue) = 0;
    virtual bool WriteSetting(std::string_view application, std::string_view section,
                              std::string_view key, std::string_view value) = 0;

    // The process.
    virtual TimeSource& LocalClock() = 0;
    virtual std::string CommandLineArguments() const = 0;  // without the program path
    // Ends the process at once. A test fake returns; the logic then does nothing further.
    virtual void EndProcess() = 0;

  protected:
    Platform() = default;
    Platform(const Platform&) = default;
    Platform& operator=(const Platform&) = default;
};

}  // namespace tavrino
