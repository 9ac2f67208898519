// Where the dialog program puts its controls: the places of the Windows dialog, in twips (1440 an
// inch) inside the dialog's client area, so both dialogs look alike and the clock's sums (the
// strip that goes without translucency, the pointer put onto OK) hold for both.
#pragma once

#include <array>
#include <string_view>

#include "program/DialogTexts.h"
#include "seam/SettingsDialog.h"

namespace tavrino::posix::dialog {

struct TwipsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr TwipsBox In(TwipsBox frame, int left, int top, int width, int height) {
    return {frame.left + left, frame.top + top, width, height};
}

inline constexpr int kClientWidth = 5445;
inline constexpr int kClientHeight = 3705;

inline constexpr TwipsBox kFrame1{1980, -30, 3405, 1935};
inline constexpr TwipsBox kFrame2{60, 2790, 5325, 855};
inline constexpr TwipsBox kFrame3{60, 1920, 5325, 855};
inline constexpr TwipsBox kPicture{60, 60, 1860, 1845};
inline constexpr TwipsBox kTitle = In(kFrame1, 120, 210, 3165, 435);
inline constexpr TwipsBox kCredit = In(kFrame1, 120, 600, 3165, 345);
inline constexpr TwipsBox kVersion = In(kFrame1, 120, 960, 3165, 255);
inline constexpr TwipsBox kLine = In(kFrame1, 150, 1290, 3090, 30);
inline constexpr TwipsBox kOk = In(kFrame1, 120, 1440, 3165, 375);
inline constexpr TwipsBox kSlider = In(kFrame2, 120, 240, 4695, 195);
inline constexpr TwipsBox kAmount = In(kFrame2, 4860, 240, 315, 225);

// The picture of the clock, in pixels at 96 pixels an inch.
inline constexpr int kPictureWidth = 120;
inline constexpr int kPictureHeight = 119;

inline constexpr int kSliderMax = 239;
inline constexpr int kSliderPage = 16;

inline constexpr std::string_view kTitleText = "Quenmark  Tavrino";
inline constexpr std::string_view kPictureToolTip =
    " Die reale Uhr, nachdem dieses Programm entworfen wurde ... ";
inline constexpr std::string_view kTranslucencyCaption = "Transparenz:";

struct CheckBoxPlace {
    CheckBox box;
    std::string_view text;  // with "_" before the access key
    TwipsBox place;
};

// In the order of CheckBox.
inline constexpr std::array<CheckBoxPlace, 5> kCheckBoxPlaces{{
    {CheckBox::TaskbarButton, "in _Task-Leiste sichtbar", In(kFrame3, 120, 210, 1995, 255)},
    {CheckBox::LockPosition, "Fenster-_Position sperren", In(kFrame3, 3210, 210, 1995, 255)},
    {CheckBox::AlwaysOnTop, "immer im _Vordergrund", In(kFrame3, 120, 480, 1875, 255)},
    {CheckBox::BlueDigits, "blaue _Ziffern-LED's", In(kFrame3, 3210, 480, 1995, 255)},
    {CheckBox::Fade, "Langsames Ein-/Aus_blenden bei Programm-Start/-Ende ...",
     In(kFrame2, 120, 510, 5085, 255)},
}};

}  // namespace tavrino::posix::dialog
