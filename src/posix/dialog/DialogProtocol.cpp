#include "posix/dialog/DialogProtocol.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <type_traits>

namespace tavrino::posix::dialog {

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// Indexed by the enums' values.
constexpr std::array<std::string_view, 5> kBoxNames{"task", "lock", "on-top", "blue", "fade"};
constexpr std::array<std::string_view, 3> kStateNames{"clear", "ticked", "greyed"};
constexpr std::array<std::string_view, 2> kLabelNames{"version", "amount"};

template <class Enum, std::size_t count>
std::string_view NameOf(const std::array<std::string_view, count>& names, Enum value) {
    return names.at(static_cast<std::size_t>(value));
}

template <class Enum, std::size_t count>
std::optional<Enum> ValueOf(const std::array<std::string_view, count>& names,
                            std::string_view name) {
    for (std::size_t i = 0; i < count; ++i) {
        if (names[i] == name) {
            return static_cast<Enum>(i);
        }
    }
    return std::nullopt;
}

// Builds a line: the message's word, then each field after a blank.
class Line {
  public:
    explicit Line(std::string_view word) : text_(word) {}
    Line& Add(std::string_view field) {
        text_.append(" ").append(field);
        return *this;
    }
    Line& Add(std::intmax_t number) { return Add(std::to_string(number)); }
    Line& Add(bool flag) { return Add(std::string_view(flag ? "1" : "0")); }
    Line& Add(const PixelRect& rect) {
        return Add(std::intmax_t{rect.left})
            .Add(std::intmax_t{rect.top})
            .Add(std::intmax_t{rect.right})
            .Add(std::intmax_t{rect.bottom});
    }
    std::string Text() && { return std::move(text_); }

  private:
    std::string text_;
};

// Takes a line apart field by field; every reader answers nothing once a field is missing or
// malformed, and End() holds only when the whole line was read.
class Fields {
  public:
    explicit Fields(std::string_view rest) : rest_(rest) {}

    std::optional<std::string_view> Word() {
        if (!rest_ || rest_->empty()) {
            return Fail<std::string_view>();
        }
        const std::size_t blank = rest_->find(' ');
        const std::string_view word = rest_->substr(0, blank);
        if (word.empty()) {
            return Fail<std::string_view>();
        }
        rest_ = blank == std::string_view::npos ? std::string_view{} : rest_->substr(blank + 1);
        last_ = blank == std::string_view::npos;
        return word;
    }
    template <class Number>
    std::optional<Number> Integer() {
        const auto word = Word();
        Number value{};
        if (!word) {
            return std::nullopt;
        }
        const auto [end, error] = std::from_chars(word->data(), word->data() + word->size(), value);
        if (error != std::errc{} || end != word->data() + word->size()) {
            return Fail<Number>();
        }
        return value;
    }
    std::optional<bool> Flag() {
        const auto word = Word();
        if (word == "1" || word == "0") {
            return word == "1";
        }
        return Fail<bool>();
    }
    template <class Enum, std::size_t count>
    std::optional<Enum> Name(const std::array<std::string_view, count>& names) {
        const auto word = Word();
        const auto value = word ? ValueOf<Enum>(names, *word) : std::nullopt;
        return value ? value : Fail<Enum>();
    }
    std::optional<PixelRect> Rect() {
        const auto left = Integer<int>();
        const auto top = Integer<int>();
        const auto right = Integer<int>();
        const auto bottom = Integer<int>();
        if (!left || !top || !right || !bottom) {
            return std::nullopt;
        }
        return PixelRect{*left, *top, *right, *bottom};
    }
    // The rest of the line as a text, which may be empty or hold blanks.
    std::optional<std::string> Text() {
        if (!rest_ || last_) {
            return Fail<std::string>();
        }
        auto text = UnescapeText(*rest_);
        rest_ = std::string_view{};
        last_ = true;
        return text ? text : Fail<std::string>();
    }
    // The whole line was read, and every field was well formed.
    bool End() const { return rest_ && rest_->empty() && last_; }

  private:
    template <class Value>
    std::optional<Value> Fail() {
        rest_.reset();
        return std::nullopt;
    }

    std::optional<std::string_view> rest_;
    bool last_ = false;  // no blank followed the last field read
};

std::string EncodeEscaped(std::string_view word, std::string_view field, std::string_view text) {
    Line line(word);
    if (!field.empty()) {
        line.Add(field);
    }
    return std::move(line.Add(EscapeText(text))).Text();
}

}  // namespace

std::string EscapeText(std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (character == '\\') {
            escaped += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f) {
            escaped += "\\x";
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xfu];
        } else {
            escaped += character;
        }
    }
    return escaped;
}

std::optional<std::string> UnescapeText(std::string_view escaped) {
    std::string text;
    text.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const auto byte = static_cast<unsigned char>(escaped[i]);
        if (byte < 0x20 || byte == 0x7f) {
            return std::nullopt;  // only ever sent escaped
        }
        if (escaped[i] != '\\') {
            text += escaped[i];
        } else if (escaped.substr(i + 1, 1) == "\\") {
            text += '\\';
            i += 1;
        } else if (escaped.substr(i + 1, 1) == "x" && i + 4 <= escaped.size()) {
            unsigned value = 0;
            const char* digits = escaped.data() + i + 2;
            const auto [end, error] = std::from_chars(digits, digits + 2, value, 16);
            if (error != std::errc{} || end != digits + 2 || (value >= 0x20 && value != 0x7f)) {
                return std::nullopt;
            }
            text += static_cast<char>(value);
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return text;
}

std::string Encode(const Command& command) {
    return std::visit(
        Overloaded{
            [](const command::Open& m) {
                return std::move(Line("open")
                                     .Add(std::intmax_t{m.resolution.x})
                                     .Add(std::intmax_t{m.resolution.y}))
                    .Text();
            },
            [](const command::ShowCheckBox& m) {
                return std::move(Line("check")
                                     .Add(NameOf(kBoxNames, m.box))
                                     .Add(NameOf(kStateNames, m.state)))
                    .Text();
            },
            [](const command::EnableCheckBox& m) {
                return std::move(Line("enable-check").Add(NameOf(kBoxNames, m.box)).Add(m.enabled))
                    .Text();
            },
            [](const command::ShowSlider& m) {
                return std::move(Line("slider").Add(std::intmax_t{m.amount})).Text();
            },
            [](const command::EnableSlider& m) {
                return std::move(Line("enable-slider").Add(m.enabled)).Text();
            },
            [](const command::ShowLabel& m) {
                return EncodeEscaped("label", NameOf(kLabelNames, m.label), m.text);
            },
            [](const command::SetRect& m) { return std::move(Line("rect").Add(m.rect)).Text(); },
            [](const command::Show&) { return std::string("show"); },
            [](const command::Hide&) { return std::string("hide"); },
            [](const command::Focus&) { return std::string("focus"); },
            [](const command::SetTitle& m) { return EncodeEscaped("title", "", m.title); },
            [](const command::SetOnTop& m) {
                return std::move(Line("on-top").Add(m.onTop)).Text();
            },
            [](const command::BelongToHost& m) {
                return std::move(Line("host").Add(std::intmax_t{m.host})).Text();
            },
            [](const command::ShowModal&) { return std::string("show-modal"); },
            [](const command::Close&) { return std::string("close"); },
        },
        command);
}

std::string Encode(const Report& report) {
    return std::visit(
        Overloaded{
            [](const report::Activated&) { return std::string("activated"); },
            [](const report::Deactivated&) { return std::string("deactivated"); },
            [](const report::LostFocus&) { return std::string("lost-focus"); },
            [](const report::Close&) { return std::string("close"); },
            [](const report::Ok&) { return std::string("ok"); },
            [](const report::CheckBoxClicked& m) {
                return std::move(Line("clicked").Add(NameOf(kBoxNames, m.box))).Text();
            },
            [](const report::SliderMoved& m) {
                return std::move(Line("slider").Add(std::intmax_t{m.amount})).Text();
            },
            [](const report::PictureClicked&) { return std::string("picture"); },
            [](const report::Placed& m) { return std::move(Line("rect").Add(m.rect)).Text(); },
            [](const report::Visibility& m) {
                return std::move(Line("visible").Add(m.visible)).Text();
            },
            [](const report::Shown&) { return std::string("shown"); },
        },
        report);
}

namespace {

// The message when every field was read and well formed.
template <class Message>
std::optional<Message> Complete(const Fields& fields, Message message) {
    return fields.End() ? std::optional(std::move(message)) : std::nullopt;
}

template <class Message, class Part>
std::optional<Message> Build(Fields& fields, const std::optional<Part>& part,
                             Message (*make)(const Part&)) {
    return part ? Complete(fields, make(*part)) : std::nullopt;
}

std::optional<Command> DecodeCommandFields(std::string_view word, Fields& fields) {
    using namespace command;
    if (word == "open") {
        const auto x = fields.Integer<int>();
        const auto y = fields.Integer<int>();
        return x && y ? Complete<Command>(fields, Open{PixelsPerInch{*x, *y}}) : std::nullopt;
    }
    if (word == "check") {
        const auto box = fields.Name<CheckBox>(kBoxNames);
        const auto state = fields.Name<CheckState>(kStateNames);
        return box && state ? Complete<Command>(fields, ShowCheckBox{*box, *state}) : std::nullopt;
    }
    if (word == "enable-check") {
        const auto box = fields.Name<CheckBox>(kBoxNames);
        const auto enabled = fields.Flag();
        return box && enabled ? Complete<Command>(fields, EnableCheckBox{*box, *enabled})
                              : std::nullopt;
    }
    if (word == "label") {
        const auto label = fields.Name<DialogLabel>(kLabelNames);
        auto text = fields.Text();
        return label && text ? Complete<Command>(fields, ShowLabel{*label, std::move(*text)})
                             : std::nullopt;
    }
    if (word == "slider") {
        return Build<Command, int>(fields, fields.Integer<int>(),
                                   [](const int& amount) -> Command { return ShowSlider{amount}; });
    }
    if (word == "enable-slider") {
        return Build<Command, bool>(fields, fields.Flag(),
                                    [](const bool& on) -> Command { return EnableSlider{on}; });
    }
    if (word == "rect") {
        return Build<Command, PixelRect>(
            fields, fields.Rect(), [](const PixelRect& rect) -> Command { return SetRect{rect}; });
    }
    if (word == "title") {
        return Build<Command, std::string>(
            fields, fields.Text(),
            [](const std::string& title) -> Command { return SetTitle{title}; });
    }
    if (word == "on-top") {
        return Build<Command, bool>(fields, fields.Flag(),
                                    [](const bool& on) -> Command { return SetOnTop{on}; });
    }
    if (word == "host") {
        return Build<Command, HostWindowId>(
            fields, fields.Integer<HostWindowId>(),
            [](const HostWindowId& host) -> Command { return BelongToHost{host}; });
    }
    return std::nullopt;
}

std::optional<Command> DecodeBareCommand(std::string_view word) {
    using namespace command;
    if (word == "show") {
        return Show{};
    }
    if (word == "hide") {
        return Hide{};
    }
    if (word == "focus") {
        return Focus{};
    }
    if (word == "show-modal") {
        return ShowModal{};
    }
    if (word == "close") {
        return Close{};
    }
    return std::nullopt;
}

std::optional<Report> DecodeBareReport(std::string_view word) {
    using namespace report;
    constexpr std::array<std::string_view, 7> kWords{
        "activated", "deactivated", "lost-focus", "close", "ok", "picture", "shown"};
    constexpr std::array<Report, 7> kReports{Activated{}, Deactivated{},    LostFocus{}, Close{},
                                             Ok{},        PictureClicked{}, Shown{}};
    for (std::size_t i = 0; i < kWords.size(); ++i) {
        if (kWords[i] == word) {
            return kReports[i];
        }
    }
    return std::nullopt;
}

std::optional<Report> DecodeReportFields(std::string_view word, Fields& fields) {
    using namespace report;
    if (word == "clicked") {
        return Build<Report, CheckBox>(
            fields, fields.Name<CheckBox>(kBoxNames),
            [](const CheckBox& box) -> Report { return CheckBoxClicked{box}; });
    }
    if (word == "slider") {
        return Build<Report, int>(fields, fields.Integer<int>(),
                                  [](const int& amount) -> Report { return SliderMoved{amount}; });
    }
    if (word == "rect") {
        return Build<Report, PixelRect>(
            fields, fields.Rect(), [](const PixelRect& rect) -> Report { return Placed{rect}; });
    }
    if (word == "visible") {
        return Build<Report, bool>(fields, fields.Flag(),
                                   [](const bool& on) -> Report { return Visibility{on}; });
    }
    return std::nullopt;
}

// The message's word, and whether fields follow it.
struct Head {
    std::string_view word;
    bool bare;
};

Head HeadOf(std::string_view line) {
    const std::size_t blank = line.find(' ');
    return {line.substr(0, blank), blank == std::string_view::npos};
}

}  // namespace

std::optional<Command> DecodeCommand(std::string_view line) {
    const Head head = HeadOf(line);
    if (head.bare) {
        return DecodeBareCommand(head.word);
    }
    Fields fields(line.substr(head.word.size() + 1));
    return DecodeCommandFields(head.word, fields);
}

std::optional<Report> DecodeReport(std::string_view line) {
    const Head head = HeadOf(line);
    if (head.bare) {
        return DecodeBareReport(head.word);
    }
    Fields fields(line.substr(head.word.size() + 1));
    return DecodeReportFields(head.word, fields);
}

}  // namespace tavrino::posix::dialog
