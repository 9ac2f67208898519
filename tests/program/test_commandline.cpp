// Reading the switches and the preview handle from the command line.
#include <gtest/gtest.h>

#include "program/CommandLine.h"

namespace tavrino {
namespace {

TEST(CommandLine, UpperCasesOnlyAsciiLetters) {
    EXPECT_EQ(UpperCaseArguments("/p 1234 /s"), "/P 1234 /S");
    EXPECT_EQ(UpperCaseArguments("/c:\xC3\x9F"), "/C:\xC3\x9F");
    EXPECT_EQ(UpperCaseArguments("`az{"), "`AZ{");
}

TEST(CommandLine, SwitchesAreSubstrings) {
    EXPECT_TRUE(HasSwitch("/C", "/C"));
    EXPECT_TRUE(HasSwitch("/C:1234", "/C"));
    EXPECT_TRUE(HasSwitch("X/SAVE", "/S"));
    EXPECT_FALSE(HasSwitch("-S", "/S"));
    EXPECT_FALSE(HasSwitch("", "/P"));
}

TEST(CommandLine, ConfigurationWinsAndFullScreenWithPreviewAsksForBoth) {
    struct Case {
        const char* cmdLine;
        RunMode mode;
    };
    const Case cases[] = {
        {"", RunMode::Desktop},
        {"/X", RunMode::Desktop},
        {"/S", RunMode::FullScreen},
        {"/P 1234", RunMode::Preview},
        {"/C", RunMode::Configuration},
        {"/S /C", RunMode::Configuration},
        {"/P 1234 /C:4242", RunMode::Configuration},
        {"/P 1234 /S", RunMode::PreviewAndFullScreen},
        {"/S /P 1234", RunMode::PreviewAndFullScreen},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunModeOf(c.cmdLine), c.mode) << c.cmdLine;
    }
}

TEST(CommandLine, TheScreensaverFileWithoutASwitchAsksForTheSettings) {
    EXPECT_EQ(RunModeOf("", true), RunMode::Configuration);
    EXPECT_EQ(RunModeOf("/X", true), RunMode::Configuration);
    EXPECT_EQ(RunModeOf("/S", true), RunMode::FullScreen);
    EXPECT_EQ(RunModeOf("/P 1234", true), RunMode::Preview);
    EXPECT_EQ(RunModeOf("", false), RunMode::Desktop);
}

TEST(CommandLine, ConfigurationOwnerAfterTheSwitch) {
    struct Case {
        const char* cmdLine;
        HostWindowId owner;
    };
    const Case cases[] = {
        {"/C:1234", 1234},
        {"/C 1234", 1234},
        {"/C:  1234", 1234},
        {"/S /C:77", 77},
        {"/C:4294967295", 4294967295},
        {"/C", 0},
        {"/C:", 0},
        {"/C:X1", 0},
        {"/C:-5", 0},
        {"/C:4294967296", 0},
        {"/P 1234", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConfigurationOwner(c.cmdLine), c.owner) << c.cmdLine;
    }
}

TEST(CommandLine, PreviewHandleFromTheThirdCharacterOn) {
    struct Case {
        const char* cmdLine;
        HostWindowId handle;
    };
    const Case cases[] = {
        {"/P 1234", 1234},
        {"/P1234", 1234},
        {"/P7", 7},
        {"/P  12 34", 1234},
        {"/P 1234.5", 1234},
        {"/P 1235.5", 1236},
        {"/P 66000", 66000},
        {"/P", 0},
        {"/P ", 0},
        {"/P:1234", 0},
        {"/P 0", 0},
        {"/S /P 1234", 0},
        {"/P 2147483647", 2147483647},
        {"/P 2147483648", 2147483648},
        {"/P 4294967295", 4294967295},
        {"/P 4294967296", 0},
        {"/P 1E20", 0},
        {"/P -5", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PreviewHandle(c.cmdLine), c.handle) << c.cmdLine;
    }
}

}  // namespace
}  // namespace tavrino
