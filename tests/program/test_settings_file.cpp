// The settings file's text: what is read from a file written by hand or by other programs, values
// that survive any byte, and a change that leaves every other line as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "program/SettingsFile.h"

namespace tavrino {
namespace {

using namespace std::string_literals;

TEST(SettingsFile, ReadsItsSectionAndPassesOverWhatItCannotRead) {
    const std::string text =
        "\xEF\xBB\xBF; written by hand\r\n"
        "OnTop=1\n"
        "[Tavrino]\r\n"
        "  TaskBar = 0 \r\n"
        "# OnTop=1\n"
        "a line without an equals sign\n"
        "=no key\n"
        "taskbar=7\n"
        "\x01\xff\0binary\n"s
        "[Other]\n"
        "WinLeft=5\n"
        "[ Tavrino ]\n"
        "WinLeft=10\n"
        "WinLeft=12\n"
        "[Tavrino\n"
        "Fading=";
    const SettingsValues expected = {
        {"TaskBar", "0"}, {"taskbar", "7"}, {"WinLeft", "12"}, {"Fading", ""}};
    EXPECT_EQ(ParseSettings(text, "Tavrino"), expected);
    EXPECT_EQ(ParseSettings(text, "Other"), (SettingsValues{{"WinLeft", "5"}}));
    EXPECT_TRUE(ParseSettings(text, "tavrino").empty());
}

TEST(SettingsFile, EveryValueReadsBackAsWrittenOnOneLine) {
    const std::string values[] = {"",
                                  " ",
                                  "  leading and trailing\t",
                                  "a trailing blank ",
                                  "two\nlines\r\n",
                                  "a NUL\0inside"s,
                                  "back\\slash \\n \\x41 \\",
                                  "\x7f\x1b[0m\x1f",
                                  "\xff\xfe bytes and UTF-8: \xc3\xbc",
                                  "=;#[Tavrino]"};
    for (const std::string& value : values) {
        const auto text = SetSetting("", "Tavrino", "Key", value);
        ASSERT_TRUE(text.has_value());
        // No control character but the line ends reaches the file.
        EXPECT_TRUE(std::none_of(text->begin(), text->end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && c != '\n') || byte == 0x7f;
        })) << *text;
        EXPECT_EQ(std::count(text->begin(), text->end(), '\n'), 2) << *text;
        EXPECT_EQ(ParseSettings(*text, "Tavrino").at("Key"), value) << *text;
    }
    // What a person writes is taken as it stands where it is no escape.
    EXPECT_EQ(UnescapeValue("C:\\path \\q \\x4 \\x4g \\X41 \\x41"),
              "C:\\path \\q \\x4 \\x4g \\X41 A");
}

TEST(SettingsFile, SettingAKeyChangesOnlyItsLine) {
    const std::string text =
        "; Tavrino\r\n"
        "[Tavrino]\r\n"
        "TaskBar=0\r\n"
        "TaskBar = 1 ; an old one\r\n"
        "OnTop=1\r\n"
        "\r\n"
        "; the other program's\r\n"
        "[Other]\r\n"
        "TaskBar=1";
    EXPECT_EQ(SetSetting(text, "Tavrino", "TaskBar", "0"),
              "; Tavrino\r\n[Tavrino]\r\nTaskBar=0\r\nTaskBar=0\r\nOnTop=1\r\n\r\n"
              "; the other program's\r\n[Other]\r\nTaskBar=1");
    EXPECT_EQ(SetSetting(text, "Tavrino", "Fading.scr", "1"),
              "; Tavrino\r\n[Tavrino]\r\nTaskBar=0\r\nTaskBar = 1 ; an old one\r\nOnTop=1\r\n"
              "Fading.scr=1\r\n\r\n; the other program's\r\n[Other]\r\nTaskBar=1");
    EXPECT_EQ(SetSetting(text, "Other", "OnTop", "0"), text + "\nOnTop=0\n");
    EXPECT_EQ(SetSetting("[Other]\nA=1", "Tavrino", "OnTop", "1"),
              "[Other]\nA=1\n\n[Tavrino]\nOnTop=1\n");
    EXPECT_EQ(SetSetting("", "Tavrino", "WinLeft", " 32"), "[Tavrino]\nWinLeft=\\x2032\n");
}

TEST(SettingsFile, RefusesNamesThatWouldNotReadBack) {
    for (const std::string& key : {""s, " Padded"s, "Padded "s, "a=b"s, "[Tavrino]"s, "; x"s, "#x"s,
                                   "two\nlines"s, "NUL\0"s}) {
        EXPECT_FALSE(SetSetting("[Tavrino]\n", "Tavrino", key, "1").has_value()) << key;
    }
    EXPECT_FALSE(SetSetting("", "Tav]rino", "TaskBar", "1").has_value());
    EXPECT_TRUE(SetSetting("", "Tavrino", "Transparence.scr", "1").has_value());
}

}  // namespace
}  // namespace tavrino
