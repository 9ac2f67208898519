// The text of the settings file: an INI file whose sections hold key=value lines. The program
// reads and changes one section of it; every other line, other sections and comments included, is
// kept as it was. Blank lines, lines starting with ';' or '#' and lines that cannot be read are
// passed over when reading. Section names and keys are case-sensitive, as the program writes them;
// when a key appears more than once in the section, the last one counts. Values are escaped so
// that any byte survives a line of its own: see EscapeValue.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino {

using SettingsValues = std::map<std::string, std::string, std::less<>>;

// Whether a text can be written as a section name or a key: not empty, no control characters, no
// '=', '[' or ']', no blank at either end, and not starting with ';' or '#' (a comment).
bool IsWritableName(std::string_view name);

// A value as written after "key=": a backslash becomes "\\", a line feed "\n", a carriage return
// "\r", a tab "\t", any other control character (NUL included) "\xHH", and a blank at the start
// or the end "\x20", since blanks around a value are not part of it. Other bytes stay as they are.
std::string EscapeValue(std::string_view value);

// The value a line holds after "key=" once its blanks at both ends are dropped. A backslash that
// starts no escape above stands for itself.
std::string UnescapeValue(std::string_view written);

// The values of one section. Never fails: what cannot be read is passed over.
SettingsValues ParseSettings(std::string_view text, std::string_view section);

// The text with key set to value in section, every other line kept as it was: the key's last line
// in the section is replaced, or a line is added after the section's last value, or the section
// is added at the end. Empty when the section or key is not a writable name.
std::optional<std::string> SetSetting(std::string_view text, std::string_view section,
                                      std::string_view key, std::string_view value);

}  // namespace tavrino
