// The line protocol between the clock and its settings dialog program. The clock keeps the
// dialog's state and logic; the dialog program only shows the state it is sent and reports what
// the user does. Each message is one line of text: a word naming it, then each of its fields
// after a single blank. Texts are UTF-8 with backslash escapes for the backslash, the blank and
// every control character, so a text is one field and a line never holds a line break. A line
// that does not decode (an unknown word, a missing or extra field, a number out of range) is
// ignored by the receiver. The clock's first line is always command::Open, which the dialog
// program waits for before it makes its window; the dialog program's first line is always
// report::Placed, so that the clock can wait for just that line when it needs the window's place
// before anything else has arrived.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "seam/Geometry.h"
#include "seam/Screen.h"
#include "seam/SettingsDialog.h"

namespace tavrino::posix::dialog {

// Set by the clock when it is a Wayland client, in the dialog program's environment: the index of
// the output to show the dialog on, which makes the dialog a layer surface over the clock's.
inline constexpr const char* kWaylandOutputVariable = "TAVRINO_DIALOG_OUTPUT";

// From the clock to the dialog program: the calls of SettingsDialog and Window.
namespace command {

// Makes the window, laid out at the clock's resolution; answered with report::Placed.
struct Open {
    PixelsPerInch resolution;
    friend bool operator==(const Open&, const Open&) = default;
};
struct ShowState {
    DialogState state;
    friend bool operator==(const ShowState&, const ShowState&) = default;
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

using Command = std::variant<command::Open, command::ShowState, command::SetRect, command::Show,
                             command::Hide, command::Focus, command::SetTitle, command::SetOnTop,
                             command::BelongToHost, command::ShowModal, command::Close>;

// From the dialog program to the clock, besides the DialogEvents: the window's place and
// visibility whenever they change.
namespace report {

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

template <class Events, class... More>
struct Joined;
template <class... Events, class... More>
struct Joined<std::variant<Events...>, More...> {
    using Type = std::variant<Events..., More...>;
};

}  // namespace report

// Every DialogEvent, then the window's own reports.
using Report = report::Joined<DialogEvent, report::Placed, report::Visibility, report::Shown>::Type;

// One line each, without the line break.
std::string Encode(const Command& command);
std::string Encode(const Report& report);
// The message of one line (without its line break), or nothing when the line is not one.
std::optional<Command> DecodeCommand(std::string_view line);
std::optional<Report> DecodeReport(std::string_view line);

// A text with its backslashes, blanks and control characters escaped, and back; nothing when an
// escape is malformed or a character that must be escaped is not.
std::string EscapeText(std::string_view text);
std::optional<std::string> UnescapeText(std::string_view escaped);

}  // namespace tavrino::posix::dialog
