#include "posix/dialog/DialogProtocol.h"

#include <array>
#include <charconv>
#include <concepts>
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace tavrino::posix::dialog {

namespace {

// A message's word and its fields, or a field's fields, in the order they are written.
template <class Type, class... Members>
struct Entry {
    using Described = Type;
    std::string_view word;
    std::tuple<Members Type::*...> fields;
};

template <class Type, class... Members>
constexpr Entry<Type, Members...> Describe(std::string_view word, Members Type::*... fields) {
    return {word, {fields...}};
}

// The table that encoding and decoding both follow: one entry for each message of either
// direction, and for each field that is made of fields. A message without an entry does not build.
constexpr std::tuple kWire{
    Describe<command::Open>("open", &command::Open::resolution),
    Describe<command::ShowState>("state", &command::ShowState::state),
    Describe<command::SetRect>("rect", &command::SetRect::rect),
    Describe<command::Show>("show"),
    Describe<command::Hide>("hide"),
    Describe<command::Focus>("focus"),
    Describe<command::SetTitle>("title", &command::SetTitle::title),
    Describe<command::SetOnTop>("on-top", &command::SetOnTop::onTop),
    Describe<command::BelongToHost>("host", &command::BelongToHost::host),
    Describe<command::ShowModal>("show-modal"),
    Describe<command::Close>("close"),

    Describe<CheckBoxClicked>("clicked", &CheckBoxClicked::box),
    Describe<SliderMoved>("slider", &SliderMoved::amount),
    Describe<BrightnessMoved>("brightness", &BrightnessMoved::percent),
    Describe<PictureClicked>("picture"),
    Describe<OkPressed>("ok"),
    Describe<CloseRequested>("close"),
    Describe<DialogActivated>("activated"),
    Describe<DialogLeft>("left"),
    Describe<report::Placed>("rect", &report::Placed::rect),
    Describe<report::Visibility>("visible", &report::Visibility::visible),
    Describe<report::Shown>("shown"),

    Describe<PixelsPerInch>("", &PixelsPerInch::x, &PixelsPerInch::y),
    Describe<PixelRect>("", &PixelRect::left, &PixelRect::top, &PixelRect::right,
                        &PixelRect::bottom),
    Describe<DialogState::Box>("", &DialogState::Box::state, &DialogState::Box::enabled),
    Describe<DialogState>(
        "", &DialogState::boxes, &DialogState::translucency, &DialogState::sliderEnabled,
        &DialogState::amountText, &DialogState::versionText, &DialogState::translucencyStrip,
        &DialogState::screensaverFrame, &DialogState::brightness, &DialogState::brightnessText),
};

// Where the type's entry is in the table, or the table's size when it has none.
template <class Type, std::size_t index = 0>
constexpr std::size_t EntryIndex() {
    // Two branches: an index past the table must not be looked up.
    if constexpr (index == std::tuple_size_v<decltype(kWire)>) {  // NOLINT(bugprone-branch-clone)
        return index;
    } else if constexpr (std::is_same_v<
                             typename std::tuple_element_t<index, decltype(kWire)>::Described,
                             Type>) {
        return index;
    } else {
        return EntryIndex<Type, index + 1>();
    }
}

template <class Type>
concept Compound = (EntryIndex<Type>() < std::tuple_size_v<decltype(kWire)>);

template <Compound Type>
constexpr const auto& WireOf() {
    return std::get<EntryIndex<Type>()>(kWire);
}

// The names of an enum's values, indexed by them.
template <class Enum>
constexpr std::array<std::string_view, 0> kNames{};
template <>
constexpr auto kNames<CheckBox> = std::to_array<std::string_view>({"task", "lock", "on-top", "blue",
                                                                   "fade", "all-monitors",
                                                                   "drift"});
static_assert(kNames<CheckBox>.size() == kCheckBoxCount);
template <>
constexpr auto kNames<CheckState> = std::to_array<std::string_view>({"clear", "ticked", "greyed"});

template <class Type>
struct IsArray : std::false_type {};
template <class Element, std::size_t count>
struct IsArray<std::array<Element, count>> : std::true_type {};

template <class Number>
concept Integer = std::integral<Number> && !std::same_as<Number, bool>;

template <class Type>
concept Enumeration = std::is_enum_v<Type>;

// One field's text.
std::string FieldText(bool flag) {
    return flag ? "1" : "0";
}
template <Integer Number>
std::string FieldText(Number number) {
    return std::to_string(number);
}
template <Enumeration Enum>
std::string FieldText(Enum value) {
    return std::string(kNames<Enum>.at(static_cast<std::size_t>(value)));
}
std::string FieldText(const std::string& text) {
    return EscapeText(text);
}

// One field from its text; false when the text is no such field.
bool FromField(std::string_view field, bool& flag) {
    flag = field == "1";
    return field == "1" || field == "0";
}
template <Integer Number>
bool FromField(std::string_view field, Number& number) {
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, number);
    return error == std::errc{} && stop == end;
}
template <Enumeration Enum>
bool FromField(std::string_view field, Enum& value) {
    for (std::size_t i = 0; i < kNames<Enum>.size(); ++i) {
        if (kNames<Enum>[i] == field) {
            value = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}
bool FromField(std::string_view field, std::string& text) {
    auto unescaped = UnescapeText(field);
    if (unescaped) {
        text = std::move(*unescaped);
    }
    return unescaped.has_value();
}

// Writes a message's fields, and the fields of each field made of fields, after its word.
class Writer {
  public:
    explicit Writer(std::string_view word) : line_(word) {}

    template <class Value>
    Writer& Add(const Value& value) {
        if constexpr (Compound<Value>) {
            std::apply([&](auto... members) { (Add(value.*members), ...); },
                       WireOf<Value>().fields);
        } else if constexpr (IsArray<Value>::value) {
            for (const auto& element : value) {
                Add(element);
            }
        } else {
            line_.append(" ").append(FieldText(value));
        }
        return *this;
    }
    std::string Line() && { return std::move(line_); }

  private:
    std::string line_;
};

// Reads the fields in the same order; Complete() holds when every field was well formed and
// there was none left over.
class Reader {
  public:
    explicit Reader(std::vector<std::string_view> fields) : fields_(std::move(fields)) {}

    template <class Value>
    void Take(Value& value) {
        if constexpr (Compound<Value>) {
            std::apply([&](auto... members) { (Take(value.*members), ...); },
                       WireOf<Value>().fields);
        } else if constexpr (IsArray<Value>::value) {
            for (auto& element : value) {
                Take(element);
            }
        } else if (next_ >= fields_.size() || !FromField(fields_[next_++], value)) {
            failed_ = true;
        }
    }
    bool Complete() const { return !failed_ && next_ == fields_.size(); }

  private:
    std::vector<std::string_view> fields_;
    std::size_t next_ = 0;
    bool failed_ = false;
};

template <class Messages>
std::string EncodeAny(const Messages& message) {
    return std::visit(
        [](const auto& m) {
            return std::move(Writer(WireOf<std::decay_t<decltype(m)>>().word).Add(m)).Line();
        },
        message);
}

// The line cut at every blank: the word, then the fields.
std::vector<std::string_view> Split(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t blank = line.find(' '); blank != std::string_view::npos;
         blank = line.find(' ', start)) {
        parts.push_back(line.substr(start, blank - start));
        start = blank + 1;
    }
    parts.push_back(line.substr(start));
    return parts;
}

template <class Message, class Messages>
std::optional<Messages> DecodeAs(std::string_view word,
                                 const std::vector<std::string_view>& fields) {
    if (word != WireOf<Message>().word) {
        return std::nullopt;
    }
    Message message{};
    Reader reader(fields);
    reader.Take(message);
    return reader.Complete() ? std::optional<Messages>(std::move(message)) : std::nullopt;
}

template <class Messages, std::size_t... index>
std::optional<Messages> DecodeAny(std::string_view line, std::index_sequence<index...>) {
    std::vector<std::string_view> fields = Split(line);
    const std::string_view word = fields.front();
    fields.erase(fields.begin());
    std::optional<Messages> decoded;
    ((decoded = DecodeAs<std::variant_alternative_t<index, Messages>, Messages>(word, fields))
         .has_value() ||
     ...);
    return decoded;
}

template <class Messages>
std::optional<Messages> DecodeAny(std::string_view line) {
    return DecodeAny<Messages>(line, std::make_index_sequence<std::variant_size_v<Messages>>{});
}

// Each direction names its messages apart.
template <class Messages, std::size_t... index>
constexpr bool WordsDiffer(std::index_sequence<index...>) {
    const std::array<std::string_view, sizeof...(index)> words{
        WireOf<std::variant_alternative_t<index, Messages>>().word...};
    for (std::size_t i = 0; i < words.size(); ++i) {
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            if (words[i].empty() || words[i] == words[j]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(WordsDiffer<Command>(std::make_index_sequence<std::variant_size_v<Command>>{}));
static_assert(WordsDiffer<Report>(std::make_index_sequence<std::variant_size_v<Report>>{}));

// The bytes a text carries as \x escapes: the blank between fields and the control characters.
bool TakesEscape(unsigned char byte) {
    return byte <= 0x20 || byte == 0x7f;
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
        } else if (TakesEscape(byte)) {
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
        if (TakesEscape(static_cast<unsigned char>(escaped[i]))) {
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
            if (error != std::errc{} || end != digits + 2 ||
                !TakesEscape(static_cast<unsigned char>(value))) {
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
    return EncodeAny(command);
}

std::string Encode(const Report& report) {
    return EncodeAny(report);
}

std::optional<Command> DecodeCommand(std::string_view line) {
    return DecodeAny<Command>(line);
}

std::optional<Report> DecodeReport(std::string_view line) {
    return DecodeAny<Report>(line);
}

}  // namespace tavrino::posix::dialog
