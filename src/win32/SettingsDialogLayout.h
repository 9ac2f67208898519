// The settings dialog's controls: identifier, kind, text, font and place in twips, in tab order.
// The controls inside a frame are placed relative to it and become children of the dialog at the
// frame's offset, so their notifications reach the dialog directly. Twips (1440 an inch) keep the
// layout in proportion at every screen resolution.
#pragma once

#include <windows.h>

#include <array>
#include <cmath>
#include <string_view>

#include "program/DialogTexts.h"
#include "seam/Screen.h"

namespace tavrino::win32 {

// Control identifiers. OK is IDOK, so that Enter reaches it as the dialog's default button.
enum ControlId : int {
    kIdOk = IDOK,
    kIdCkTask = 1001,
    kIdCkLock,
    kIdCkOTop,
    kIdCkBlue,
    kIdCkFade,
    kIdHSTVal,
    kIdFrame1,
    kIdLabel1,
    kIdLabel2,
    kIdLVer,
    kIdFrame2,
    kIdLTVal,
    kIdFrame3,
    kIdLine1,
    kIdImage1,
};

enum class ControlKind { Button, CheckBox, Slider, Frame, Label, Line, Picture };
enum class FontId { Standard, Title, Credit, Version, Button, FrameCaption, Count };
enum class Align { Left, Centre, Right };

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlLayout {
    ControlId id;
    ControlKind kind;
    std::string_view text;  // UTF-8
    TwipsRect place;        // in the dialog's client area
    FontId font;
    Align align;
};

struct FontStyle {
    std::wstring_view face;
    float points;
    bool bold;
};

// Indexed by FontId. The standard font is the system's logical dialog face, which Windows maps to
// a scalable face with the metrics of MS Sans Serif: crisp at every scale, where the bitmap
// MS Sans Serif comes in a few sizes only.
inline constexpr std::array<FontStyle, static_cast<std::size_t>(FontId::Count)> kFonts{{
    {L"MS Shell Dlg", 8.25f, false},
    {L"Comic Sans MS", 14.25f, false},
    {L"MS Sans Serif", 12.0f, true},
    {L"Arial", 8.25f, true},
    {L"Arial", 8.25f, false},
    {L"Comic Sans MS", 6.75f, false},
}};

// The client area in twips.
inline constexpr int kDialogClientWidth = 5445;
inline constexpr int kDialogClientHeight = 3705;

// The picture of the clock inside Image1's border, in pixels at 96 pixels an inch; at other
// resolutions it fills the border's inside there.
inline constexpr int kPictureWidth = 120;
inline constexpr int kPictureHeight = 119;

// Line1 is two pixels thick whatever the screen's resolution.
inline constexpr int kLinePixels = 2;

inline constexpr std::string_view kImageToolTip =
    " Die reale Uhr, nachdem dieses Programm entworfen wurde ... ";

namespace layout {

constexpr TwipsRect kFrame1{1980, -30, 3405, 1935};
constexpr TwipsRect kFrame2{60, 2790, 5325, 855};
constexpr TwipsRect kFrame3{60, 1920, 5325, 855};

constexpr TwipsRect In(TwipsRect frame, int left, int top, int width, int height) {
    return {frame.left + left, frame.top + top, width, height};
}

}  // namespace layout

// Creation order is tab order; Line1 and Image1 take no part in it.
inline constexpr std::array<ControlLayout, 16> kControls{{
    {kIdOk, ControlKind::Button, "&OK", layout::In(layout::kFrame1, 120, 1440, 3165, 375),
     FontId::Button, Align::Centre},
    {kIdCkTask, ControlKind::CheckBox, "in &Task-Leiste sichtbar",
     layout::In(layout::kFrame3, 120, 210, 1995, 255), FontId::Standard, Align::Left},
    {kIdCkLock, ControlKind::CheckBox, "Fenster-&Position sperren",
     layout::In(layout::kFrame3, 3210, 210, 1995, 255), FontId::Standard, Align::Left},
    {kIdCkOTop, ControlKind::CheckBox, "immer im &Vordergrund",
     layout::In(layout::kFrame3, 120, 480, 1875, 255), FontId::Standard, Align::Left},
    {kIdCkBlue, ControlKind::CheckBox, "blaue &Ziffern-LED's",
     layout::In(layout::kFrame3, 3210, 480, 1995, 255), FontId::Standard, Align::Left},
    {kIdHSTVal, ControlKind::Slider, "", layout::In(layout::kFrame2, 120, 240, 4695, 195),
     FontId::Standard, Align::Left},
    {kIdCkFade, ControlKind::CheckBox, "Langsames Ein-/Aus&blenden bei Programm-Start/-Ende ...",
     layout::In(layout::kFrame2, 120, 510, 5085, 255), FontId::Standard, Align::Left},
    {kIdFrame1, ControlKind::Frame, "", layout::kFrame1, FontId::Standard, Align::Left},
    {kIdLabel1, ControlKind::Label, "Quenmark  Tavrino",
     layout::In(layout::kFrame1, 120, 210, 3165, 435), FontId::Title, Align::Centre},
    {kIdLabel2, ControlKind::Label, kCreditLine, layout::In(layout::kFrame1, 120, 600, 3165, 345),
     FontId::Credit, Align::Centre},
    {kIdLVer, ControlKind::Label, "Version ", layout::In(layout::kFrame1, 120, 960, 3165, 255),
     FontId::Version, Align::Centre},
    {kIdFrame2, ControlKind::Frame, "Transparenz:", layout::kFrame2, FontId::FrameCaption,
     Align::Left},
    {kIdLTVal, ControlKind::Label, "0", layout::In(layout::kFrame2, 4860, 240, 315, 225),
     FontId::Standard, Align::Right},
    {kIdFrame3, ControlKind::Frame, "", layout::kFrame3, FontId::Standard, Align::Left},
    // From (150, 1290) to (3240, 1290) in Frame1; its height is kLinePixels.
    {kIdLine1, ControlKind::Line, "", layout::In(layout::kFrame1, 150, 1290, 3090, 0),
     FontId::Standard, Align::Left},
    {kIdImage1, ControlKind::Picture, "", {60, 60, 1860, 1845}, FontId::Standard, Align::Left},
}};

// At 15 twips per pixel Image1 holds the picture inside its two-pixel sunken border.
static_assert(kControls.back().id == kIdImage1);
static_assert(kControls.back().place.width == (kPictureWidth + 4) * 15);
static_assert(kControls.back().place.height == (kPictureHeight + 4) * 15);

}  // namespace tavrino::win32
