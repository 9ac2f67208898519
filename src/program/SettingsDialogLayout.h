// The settings dialog, described once for every frontend that builds it: each control's box in
// twips inside the dialog's client area, its kind, its text with its access key, its text style
// and alignment; the frames with their captions; the client area; the slider's range; the strip at
// the dialog's foot that goes where translucency is not offered. A frontend makes the controls from
// this table and turns the twips into pixels with TwipsPerPixel at the resolution the program runs
// with, so both dialogs look alike and the program's own sums over the dialog (the pointer put onto
// OK) land where the controls are. A control or a frame more is one more entry.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "clockface/Tavrino.h"
#include "program/DialogTexts.h"
#include "program/Twips.h"
#include "seam/SettingsDialog.h"

namespace tavrino {

// Every control of the dialog, in the order of kDialogControls (which the build checks).
enum class DialogControl {
    OkButton,
    TaskbarButtonBox,
    LockPositionBox,
    AlwaysOnTopBox,
    BlueDigitsBox,
    TranslucencySlider,
    FadeBox,
    AllMonitorsBox,
    DriftBox,
    BrightnessLabel,  // names the brightness slider; its access key goes to the slider
    BrightnessSlider,
    AboutFrame,  // the program's name, its maker, its version and OK
    TitleLabel,
    CreditLabel,
    VersionLabel,
    TranslucencyFrame,  // the slider, its amount and the fade box
    AmountLabel,
    WindowOptionsFrame,  // the four boxes for the clock window
    SeparatorLine,
    ClockPicture,
    ScreensaverFrame,  // the screensaver's own options
    BrightnessAmountLabel,
};

enum class ControlKind { Button, CheckBox, Slider, Frame, Label, Line, Picture };

// The look of a control's text; each frontend picks the faces.
enum class TextStyle { Standard, Title, Credit, Version, Button, FrameCaption };
enum class TextAlign { Left, Centre, Right };

struct TextStyleSize {
    float points;
    bool bold;
};

// Indexed by TextStyle.
inline constexpr std::array<TextStyleSize, 6> kTextStyleSizes{{
    {8.25f, false},   // Standard
    {14.25f, false},  // Title
    {12.0f, true},    // Credit
    {8.25f, true},    // Version
    {8.25f, false},   // Button
    {6.75f, false},   // FrameCaption
}};

constexpr const TextStyleSize& StyleSizeOf(TextStyle style) {
    return kTextStyleSizes[static_cast<std::size_t>(style)];
}

struct DialogControlLayout {
    DialogControl control;
    ControlKind kind;
    // UTF-8; "&" comes before the access key of a button or a check box. A frame's caption.
    std::string_view text;
    TwipsBox box;  // in the dialog's client area
    TextStyle style = TextStyle::Standard;
    TextAlign align = TextAlign::Left;
    std::string_view toolTip = {};
};

// The client area.
inline constexpr TwipsBox kDialogClient{0, 0, 5445, 3705};

// Without translucency the dialog is this many pixels shorter, at any resolution, which cuts off
// the translucency frame at its foot.
inline constexpr int kTranslucencyStripPixels = 58;

struct SliderRange {
    int minimum;
    int maximum;
    int step;  // an arrow key
    int page;  // a click beside the thumb, Page Up and Page Down
};
inline constexpr SliderRange kTranslucencySlider{0, 239, 1, 16};
inline constexpr SliderRange kBrightnessSlider{kLowestBrightness, kFullBrightness, 1, 10};

// The picture of the clock inside the picture's border: 120 x 119 pixels at 96 pixels an inch.
inline constexpr TwipsBox kClockPictureSize{0, 0, 1800, 1785};

namespace dialog_frames {

inline constexpr TwipsBox kAbout{1980, -30, 3405, 1935};
inline constexpr TwipsBox kWindowOptions{60, 1920, 5325, 855};
inline constexpr TwipsBox kTranslucency{60, 2790, 5325, 855};
inline constexpr TwipsBox kScreensaver{60, 3660, 5325, 1095};

// A box given inside a frame, in the client area.
constexpr TwipsBox In(const TwipsBox& frame, int left, int top, int width, int height) {
    return {frame.left + left, frame.top + top, width, height};
}

}  // namespace dialog_frames

// In tab order, where the kind takes part in it; frames, labels, the line and the picture do not.
// The line runs along its box's top edge; the box's height is its thickness at 96 pixels an inch.
inline constexpr auto kDialogControls = [] {
    using enum DialogControl;
    using namespace dialog_frames;
    return std::to_array<DialogControlLayout>({
        {OkButton, ControlKind::Button, "&OK", In(kAbout, 120, 1440, 3165, 375), TextStyle::Button,
         TextAlign::Centre},
        {TaskbarButtonBox, ControlKind::CheckBox, "in &Task-Leiste sichtbar",
         In(kWindowOptions, 120, 210, 1995, 255)},
        {LockPositionBox, ControlKind::CheckBox, "Fenster-&Position sperren",
         In(kWindowOptions, 3210, 210, 1995, 255)},
        {AlwaysOnTopBox, ControlKind::CheckBox, "immer im &Vordergrund",
         In(kWindowOptions, 120, 480, 1875, 255)},
        {BlueDigitsBox, ControlKind::CheckBox, "blaue &Ziffern-LED's",
         In(kWindowOptions, 3210, 480, 1995, 255)},
        {TranslucencySlider, ControlKind::Slider, "", In(kTranslucency, 120, 240, 4695, 195)},
        {FadeBox, ControlKind::CheckBox, "Langsames Ein-/Aus&blenden bei Programm-Start/-Ende ...",
         In(kTranslucency, 120, 510, 5085, 255)},
        {AllMonitorsBox, ControlKind::CheckBox, "Ziffernblatt auf &allen Bildschirmen",
         In(kScreensaver, 120, 210, 5085, 255)},
        {DriftBox, ControlKind::CheckBox,
         "Ziffernblatt langsam &wandern lassen (Schutz vor Einbrennen)",
         In(kScreensaver, 120, 480, 5085, 255)},
        {BrightnessLabel, ControlKind::Label, "&Helligkeit:", In(kScreensaver, 120, 780, 900, 225)},
        {BrightnessSlider, ControlKind::Slider, "", In(kScreensaver, 1080, 780, 3735, 195)},
        {AboutFrame, ControlKind::Frame, "", kAbout},
        {TitleLabel, ControlKind::Label, "Quenmark  Tavrino", In(kAbout, 120, 210, 3165, 435),
         TextStyle::Title, TextAlign::Centre},
        {CreditLabel, ControlKind::Label, "von Quenmark", In(kAbout, 120, 600, 3165, 345),
         TextStyle::Credit, TextAlign::Centre},
        {VersionLabel, ControlKind::Label, kVersionPrefix, In(kAbout, 120, 960, 3165, 255),
         TextStyle::Version, TextAlign::Centre},
        {TranslucencyFrame, ControlKind::Frame, "Transparenz:", kTranslucency,
         TextStyle::FrameCaption},
        {AmountLabel, ControlKind::Label, "0", In(kTranslucency, 4860, 240, 315, 225),
         TextStyle::Standard, TextAlign::Right},
        {WindowOptionsFrame, ControlKind::Frame, "", kWindowOptions},
        {SeparatorLine, ControlKind::Line, "", In(kAbout, 150, 1290, 3090, 30)},
        {ClockPicture,
         ControlKind::Picture,
         "",
         {60, 60, 1860, 1845},
         TextStyle::Standard,
         TextAlign::Left,
         " Die reale Uhr, nachdem dieses Programm entworfen wurde ... "},
        {ScreensaverFrame, ControlKind::Frame, "Bildschirmschoner:", kScreensaver,
         TextStyle::FrameCaption},
        {BrightnessAmountLabel, ControlKind::Label, "100", In(kScreensaver, 4860, 780, 315, 225),
         TextStyle::Standard, TextAlign::Right},
    });
}();

constexpr const DialogControlLayout& LayoutOf(DialogControl control) {
    return kDialogControls[static_cast<std::size_t>(control)];
}

// The check boxes' controls, indexed by CheckBox.
inline constexpr std::array<DialogControl, kCheckBoxCount> kCheckBoxControls{
    DialogControl::TaskbarButtonBox, DialogControl::LockPositionBox, DialogControl::AlwaysOnTopBox,
    DialogControl::BlueDigitsBox,    DialogControl::FadeBox,         DialogControl::AllMonitorsBox,
    DialogControl::DriftBox};

constexpr DialogControl ControlOf(CheckBox box) {
    return kCheckBoxControls[static_cast<std::size_t>(box)];
}

constexpr std::optional<CheckBox> CheckBoxOf(DialogControl control) {
    for (std::size_t i = 0; i < kCheckBoxControls.size(); ++i) {
        if (kCheckBoxControls[i] == control) {
            return static_cast<CheckBox>(i);
        }
    }
    return std::nullopt;
}

// What the controls show as the table makes them, before the program hands the dialog a state.
DialogState StateAsMade();

// Which of the dialog's optional parts it shows, as its state says.
struct DialogShape {
    bool translucencyStrip = true;
    bool screensaverFrame = false;

    static DialogShape Of(const DialogState& state) {
        return {state.translucencyStrip, state.screensaverFrame};
    }
    friend bool operator==(const DialogShape&, const DialogShape&) = default;
};

// The client area in pixels: the screensaver's frame adds its height, and a cut-off translucency
// strip takes kTranslucencyStripPixels away.
PixelRect ClientPixels(const DialogShape& shape, const TwipsPerPixel& twips);
// Whether the control is there in that shape: the screensaver's frame and what it holds only with
// that frame; the translucency frame and what it holds not where that frame takes its place.
bool ControlShown(DialogControl control, const DialogShape& shape);
// Where the control goes in that shape, in pixels in the client area: the screensaver's frame and
// what it holds move up into a cut-off translucency strip's place.
PixelRect ControlPixels(DialogControl control, const DialogShape& shape,
                        const TwipsPerPixel& twips);

namespace dialog_layout_checks {

constexpr bool EveryControlAtItsIndex() {
    for (std::size_t i = 0; i < kDialogControls.size(); ++i) {
        if (kDialogControls[i].control != static_cast<DialogControl>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(EveryControlAtItsIndex());

constexpr bool CheckBoxesAreCheckBoxes() {
    for (const DialogControl control : kCheckBoxControls) {
        if (LayoutOf(control).kind != ControlKind::CheckBox) {
            return false;
        }
    }
    return true;
}
static_assert(CheckBoxesAreCheckBoxes());

// At 96 pixels an inch the picture's box holds the picture inside a two-pixel border.
constexpr TwipsBox kPictureBox = LayoutOf(DialogControl::ClockPicture).box;
static_assert(kPictureBox.width == kClockPictureSize.width + 4 * 15);
static_assert(kPictureBox.height == kClockPictureSize.height + 4 * 15);

}  // namespace dialog_layout_checks

}  // namespace tavrino
