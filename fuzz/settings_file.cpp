// The settings file's text: any text parses; setting a key gives that value back and leaves the
// section's other keys and the other sections as they were; the parsed values written out anew
// parse the same. The input holds the key and the value (each ended by a backslash and another
// character, "\\" standing for a backslash) and then the file's text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "program/SettingsFile.h"

using namespace tavrino;
using fuzz::Require;

namespace {

constexpr std::string_view kSection = "Tavrino";
constexpr std::string_view kOtherSection = "Other";

void CheckSet(const std::string& text, const std::string& key, const std::string& value) {
    const std::optional<std::string> changed = SetSetting(text, kSection, key, value);
    Require(changed.has_value() == IsWritableName(key), "every writable key is written");
    if (!changed) {
        return;
    }
    SettingsValues expected = ParseSettings(text, kSection);
    expected.insert_or_assign(key, value);
    Require(ParseSettings(*changed, kSection) == expected,
            "the key reads back and the section's other keys are as they were");
    Require(ParseSettings(*changed, kOtherSection) == ParseSettings(text, kOtherSection),
            "another section is as it was");
}

void CheckRewrite(const std::string& text) {
    const SettingsValues values = ParseSettings(text, kSection);
    std::string rewritten;
    for (const auto& [key, value] : values) {
        const std::optional<std::string> changed = SetSetting(rewritten, kSection, key, value);
        Require(changed.has_value(), "every key read can be written");
        rewritten = *changed;
    }
    Require(ParseSettings(rewritten, kSection) == values, "values written anew parse the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string key = input.ConsumeRandomLengthString();
    const std::string value = input.ConsumeRandomLengthString();
    const std::string text = input.ConsumeRemainingBytesAsString();
    CheckSet(text, key, value);
    CheckRewrite(text);
    return 0;
}
