#include "program/SettingsFile.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace tavrino {

namespace {

constexpr std::string_view kBlanks = " \t";
// Editors on some systems start a UTF-8 file with it; it belongs to no line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHexDigits = "0123456789abcdef";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

// The byte "\xHH" stands for, when text starts with that escape.
std::optional<char> HexEscape(std::string_view text) {
    if (text.size() < 4 || text[1] != 'x') {
        return std::nullopt;
    }
    const std::optional<int> high = HexDigitValue(text[2]);
    const std::optional<int> low = HexDigitValue(text[3]);
    if (!high || !low) {
        return std::nullopt;
    }
    return static_cast<char>(*high * 16 + *low);
}

std::optional<char> SingleEscape(char letter) {
    switch (letter) {
        case '\\':
            return '\\';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return std::nullopt;
    }
}

enum class LineKind { Other, Section, Value };

// What one line says: a section's name, or a key with its value as written.
struct Line {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

Line ReadLine(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    line = Trimmed(line);
    if (line.starts_with('[')) {
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos) {
            return {};
        }
        return {LineKind::Section, Trimmed(line.substr(1, close - 1)), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    // Comments fall out here too: a key may not start with ';' or '#'.
    const std::string_view key = Trimmed(line.substr(0, equals));
    if (!IsWritableName(key)) {
        return {};
    }
    return {LineKind::Value, key, Trimmed(line.substr(equals + 1))};
}

// Calls visit(line, start, end) for every line, where [start, end) is the line without its line
// feed.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    std::size_t start = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (start < text.size()) {
        const std::size_t lineFeed = text.find('\n', start);
        const std::size_t end = lineFeed == std::string_view::npos ? text.size() : lineFeed;
        visit(text.substr(start, end - start), start, end);
        start = end + 1;
    }
}

bool EndsWithCarriageReturn(std::string_view text, std::size_t start, std::size_t end) {
    return end > start && text[end - 1] == '\r';
}

// Where SetSetting changes the text: the key's last line in the section, or else the end of the
// section's last line, after which a new line goes.
struct Places {
    std::optional<std::size_t> keyStart;
    std::size_t keyEnd = 0;
    std::optional<std::size_t> sectionEnd;
    bool sectionUsesCarriageReturns = false;
};

Places FindPlaces(std::string_view text, std::string_view section, std::string_view key) {
    Places places;
    bool inSection = false;
    ForEachLine(text, [&](std::string_view line, std::size_t start, std::size_t end) {
        const Line read = ReadLine(line);
        if (read.kind == LineKind::Section) {
            inSection = read.name == section;
        }
        if (!inSection || read.kind == LineKind::Other) {
            return;
        }
        places.sectionEnd = end;
        places.sectionUsesCarriageReturns = EndsWithCarriageReturn(text, start, end);
        if (read.kind == LineKind::Value && read.name == key) {
            // A carriage return ending the line stays, so a file with CRLF line ends keeps them.
            places.keyStart = start;
            places.keyEnd = EndsWithCarriageReturn(text, start, end) ? end - 1 : end;
        }
    });
    return places;
}

}  // namespace

bool IsWritableName(std::string_view name) {
    if (name.empty() || Trimmed(name).size() != name.size() || name.front() == ';' ||
        name.front() == '#') {
        return false;
    }
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return IsControl(c) || c == '=' || c == '[' || c == ']'; });
}

std::string EscapeValue(std::string_view value) {
    std::string written;
    written.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const bool outerBlank = c == ' ' && (i == 0 || i + 1 == value.size());
        if (c == '\\') {
            written += "\\\\";
        } else if (c == '\n') {
            written += "\\n";
        } else if (c == '\r') {
            written += "\\r";
        } else if (c == '\t') {
            written += "\\t";
        } else if (IsControl(c) || outerBlank) {
            const auto byte = static_cast<unsigned char>(c);
            written += "\\x";
            written += kHexDigits[byte / 16];
            written += kHexDigits[byte % 16];
        } else {
            written += c;
        }
    }
    return written;
}

std::string UnescapeValue(std::string_view written) {
    std::string value;
    value.reserve(written.size());
    while (!written.empty()) {
        if (written.size() >= 2 && written[0] == '\\') {
            if (const std::optional<char> single = SingleEscape(written[1])) {
                value += *single;
                written.remove_prefix(2);
                continue;
            }
            if (const std::optional<char> byte = HexEscape(written)) {
                value += *byte;
                written.remove_prefix(4);
                continue;
            }
        }
        value += written.front();
        written.remove_prefix(1);
    }
    return value;
}

SettingsValues ParseSettings(std::string_view text, std::string_view section) {
    SettingsValues values;
    bool inSection = false;
    ForEachLine(text, [&](std::string_view line, std::size_t, std::size_t) {
        const Line read = ReadLine(line);
        if (read.kind == LineKind::Section) {
            inSection = read.name == section;
        } else if (read.kind == LineKind::Value && inSection) {
            values.insert_or_assign(std::string(read.name), UnescapeValue(read.value));
        }
    });
    return values;
}

std::optional<std::string> SetSetting(std::string_view text, std::string_view section,
                                      std::string_view key, std::string_view value) {
    if (!IsWritableName(section) || !IsWritableName(key)) {
        return std::nullopt;
    }
    std::string entry(key);
    entry += '=';
    entry += EscapeValue(value);
    const Places places = FindPlaces(text, section, key);
    std::string result(text);
    if (places.keyStart) {
        result.replace(*places.keyStart, places.keyEnd - *places.keyStart, entry);
        return result;
    }
    if (places.sectionEnd) {
        entry += places.sectionUsesCarriageReturns ? "\r\n" : "\n";
        if (*places.sectionEnd == text.size()) {
            result += '\n';
            result += entry;
        } else {
            result.insert(*places.sectionEnd + 1, entry);
        }
        return result;
    }
    if (!result.empty() && !result.ends_with('\n')) {
        result += '\n';
    }
    if (!result.empty()) {
        result += '\n';
    }
    result += '[';
    result += section;
    result += "]\n";
    result += entry;
    result += '\n';
    return result;
}

}  // namespace tavrino
