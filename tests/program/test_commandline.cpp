// Reading the run mode and the host's window from the command line.
#include <gtest/gtest.h>

#include <cstddef>

#include "program/CommandLine.h"

namespace tavrino {
namespace {

struct Case {
    const char* arguments;
    StartRequest request;
};

template <std::size_t N>
void ExpectRequests(const Case (&cases)[N], bool screensaverFile = false) {
    for (const Case& c : cases) {
        const StartRequest read = ReadCommandLine(c.arguments, screensaverFile);
        EXPECT_EQ(read.mode, c.request.mode) << c.arguments;
        EXPECT_EQ(read.hostWindow, c.request.hostWindow) << c.arguments;
    }
}

TEST(CommandLine, UpperCasesOnlyAsciiLetters) {
    EXPECT_EQ(UpperCaseArguments("/p 1234 /s"), "/P 1234 /S");
    EXPECT_EQ(UpperCaseArguments("/c:\xC3\x9F"), "/C:\xC3\x9F");
    EXPECT_EQ(UpperCaseArguments("`az{"), "`AZ{");
}

TEST(CommandLine, SwitchesAreSubstringsInAnyCase) {
    const Case cases[] = {
        {"/C", {RunMode::Configuration, 0}},
        {"/C:1234", {RunMode::Configuration, 1234}},
        {"X/SAVE", {RunMode::FullScreen, 0}},
        {"/p 1234 /s", {RunMode::PreviewAndFullScreen, 1234}},
        {"/c:\xC3\x9F", {RunMode::Configuration, 0}},
        {"-S", {RunMode::Desktop, 0}},
        {"", {RunMode::Desktop, 0}},
    };
    ExpectRequests(cases);
}

TEST(CommandLine, ConfigurationWinsAndFullScreenWithPreviewAsksForBoth) {
    const Case cases[] = {
        {"", {RunMode::Desktop, 0}},
        {"/X", {RunMode::Desktop, 0}},
        {"/S", {RunMode::FullScreen, 0}},
        {"/P 1234", {RunMode::Preview, 1234}},
        {"/C", {RunMode::Configuration, 0}},
        {"/S /C", {RunMode::Configuration, 0}},
        {"/P 1234 /C:4242", {RunMode::Configuration, 4242}},
        {"/P 1234 /S", {RunMode::PreviewAndFullScreen, 1234}},
        {"/S /P 1234", {RunMode::PreviewAndFullScreen, 0}},
    };
    ExpectRequests(cases);
}

TEST(CommandLine, TheScreensaverFileWithoutASwitchAsksForTheSettings) {
    const Case cases[] = {
        {"", {RunMode::Configuration, 0}},
        {"/X", {RunMode::Configuration, 0}},
        {"/S", {RunMode::FullScreen, 0}},
        {"/P 1234", {RunMode::Preview, 1234}},
    };
    ExpectRequests(cases, true);
    EXPECT_EQ(ReadCommandLine("", false).mode, RunMode::Desktop);
}

TEST(CommandLine, ConfigurationOwnerAfterTheSwitch) {
    const Case cases[] = {
        {"/C:1234", {RunMode::Configuration, 1234}},
        {"/C 1234", {RunMode::Configuration, 1234}},
        {"/C:  1234", {RunMode::Configuration, 1234}},
        {"/S /C:77", {RunMode::Configuration, 77}},
        {"/C:4294967295", {RunMode::Configuration, 4294967295}},
        {"/C", {RunMode::Configuration, 0}},
        {"/C:", {RunMode::Configuration, 0}},
        {"/C:X1", {RunMode::Configuration, 0}},
        {"/C:-5", {RunMode::Configuration, 0}},
        {"/C:4294967296", {RunMode::Configuration, 0}},
        // The owner follows the "/C", not the third character.
        {"/P 1234 /C", {RunMode::Configuration, 0}},
    };
    ExpectRequests(cases);
}

TEST(CommandLine, PreviewHandleFromTheThirdCharacterOn) {
    const Case cases[] = {
        {"/P 1234", {RunMode::Preview, 1234}},
        {"/P1234", {RunMode::Preview, 1234}},
        {"/P7", {RunMode::Preview, 7}},
        {"/P  12 34", {RunMode::Preview, 1234}},
        {"/P 1234.5", {RunMode::Preview, 1234}},
        {"/P 1235.5", {RunMode::Preview, 1236}},
        {"/P 66000", {RunMode::Preview, 66000}},
        {"/P", {RunMode::Preview, 0}},
        {"/P ", {RunMode::Preview, 0}},
        {"/P:1234", {RunMode::Preview, 0}},
        {"/P 0", {RunMode::Preview, 0}},
        {"/S /P 1234", {RunMode::PreviewAndFullScreen, 0}},
        {"/P 2147483647", {RunMode::Preview, 2147483647}},
        {"/P 2147483648", {RunMode::Preview, 2147483648}},
        {"/P 4294967295", {RunMode::Preview, 4294967295}},
        {"/P 4294967296", {RunMode::Preview, 0}},
        {"/P 1E20", {RunMode::Preview, 0}},
        {"/P -5", {RunMode::Preview, 0}},
    };
    ExpectRequests(cases);
}

}  // namespace
}  // namespace tavrino
