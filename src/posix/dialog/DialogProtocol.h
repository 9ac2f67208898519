// The line protocol between the clock and its settings dialog program. The clock keeps the
// dialog's state and logic; the dialog program only shows what it is told and reports what the
// user does. Each message is one line of text: a word naming it, then its fields separated by
// single blanks, a text always last. Texts are UTF-8 with backslash escapes for the backslash and
// every control character, so a line never holds a line break. A line that does not decode (an
// unknown word, a missing or extra field, a number out of range) is ignored by the receiver. The
// dialog program's first line is always report::Placed, so that the clock can wait for just that
// line when it needs the window's place before anything else has arrived. The clock's first line is
// always command::Open, which the dialog program waits for before it makes its window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "seam/Geometry.h"
#include "seam/Screen.h"
#include "seam/SettingsDialog.h"

namespace tavrino::posix::dialog {

enum class DialogLabel { Version, TranslucencyAmount };

// From the clock to the dialog program: the calls of SettingsDialog and Window.
namespace command {

// Makes the window, laid out at the clock's resolution; answered with report::Placed.
struct Open {
    PixelsPerInch resolution;
    friend bool operator==(const Open&, const Open&) = default;
};
struct ShowCheckBox {
    CheckBox box;
    CheckState state;
    friend bool operator==(const ShowCheckBox&, const ShowCheckBox&) = default;
};
struct EnableCheckBox {
    CheckBox box;
    bool enabled;
    friend bool operator==(const EnableCheckBox&, const EnableCheckBox&) = default;
};
struct ShowSlider {
    int amount;
    friend bool operator==(const ShowSlider&, const ShowSlider&) = default;
};
struct EnableSlider {
    bool enabled;
    friend bool operator==(const EnableSlider&, const EnableSlider&) = default;
};
struct ShowLabel {
    DialogLabel label;
    std::string text;
    friend bool operator==(const ShowLabel&, const ShowLabel&) = default;
};
struct SetRect {
    PixelRect rect;
    friend bool operator==(const SetRect&, const SetRect&) = default;
};
struct Show {
    friend bool operator==(const Show&, const Show&) = default;
};
struct Hide {
    friend bool operator==(const Hide&, const Hide&) = default;
};
struct Focus {
    friend bool operator==(const Focus&, const Focus&) = default;
};
struct SetTitle {
    std::string title;
    friend bool operator==(const SetTitle&, const SetTitle&) = default;
};
struct SetOnTop {
    bool onTop;
    friend bool operator==(const SetOnTop&, const SetOnTop&) = default;
};
struct BelongToHost {
    HostWindowId host;
    friend bool operator==(const BelongToHost&, const BelongToHost&) = default;
};
// Shows the dialog modally; it answers with report::Shown once it is on screen.
struct ShowModal {
    friend bool operator==(const ShowModal&, const ShowModal&) = default;
};
// The dialog program ends.
struct Close {
    friend bool operator==(const Close&, const Close&) = default;
};

}  // namespace command

using Command =
    std::variant<command::Open, command::ShowCheckBox, command::EnableCheckBox, command::ShowSlider,
                 command::EnableSlider, command::ShowLabel, command::SetRect, command::Show,
                 command::Hide, command::Focus, command::SetTitle, command::SetOnTop,
                 command::BelongToHost, command::ShowModal, command::Close>;

// From the dialog program to the clock: the SettingsDialogEvents, and the window's place and
// visibility whenever they change.
namespace report {

struct Activated {
    friend bool operator==(const Activated&, const Activated&) = default;
};
struct Deactivated {
    friend bool operator==(const Deactivated&, const Deactivated&) = default;
};
struct LostFocus {
    friend bool operator==(const LostFocus&, const LostFocus&) = default;
};
struct Close {
    friend bool operator==(const Close&, const Close&) = default;
};
struct Ok {
    friend bool operator==(const Ok&, const Ok&) = default;
};
struct CheckBoxClicked {
    CheckBox box;
    friend bool operator==(const CheckBoxClicked&, const CheckBoxClicked&) = default;
};
struct SliderMoved {
    int amount;
    friend bool operator==(const SliderMoved&, const SliderMoved&) = default;
};
struct PictureClicked {
    friend bool operator==(const PictureClicked&, const PictureClicked&) = default;
};
// The window's outer edges on the screen.
struct Placed {
    PixelRect rect;
    friend bool operator==(const Placed&, const Placed&) = default;
};
struct Visibility {
    bool visible;
    friend bool operator==(const Visibility&, const Visibility&) = default;
};
// The answer to command::ShowModal: the dialog is on screen.
struct Shown {
    friend bool operator==(const Shown&, const Shown&) = default;
};

}  // namespace report

using Report =
    std::variant<report::Activated, report::Deactivated, report::LostFocus, report::Close,
                 report::Ok, report::CheckBoxClicked, report::SliderMoved, report::PictureClicked,
                 report::Placed, report::Visibility, report::Shown>;

// One line each, without the line break.
std::string Encode(const Command& command);
std::string Encode(const Report& report);
// The message of one line (without its line break), or nothing when the line is not one.
std::optional<Command> DecodeCommand(std::string_view line);
std::optional<Report> DecodeReport(std::string_view line);

// A text with its backslashes and control characters escaped, and back; nothing when an escape
// is malformed.
std::string EscapeText(std::string_view text);
std::optional<std::string> UnescapeText(std::string_view escaped);

}  // namespace tavrino::posix::dialog
