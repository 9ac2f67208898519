// How the X screensaver daemons start a hack, read into the window it draws in.
#include <gtest/gtest.h>

#include "program/CommandLine.h"
#include "program/DaemonArguments.h"

namespace tavrino {
namespace {

TEST(DaemonArguments, WindowIdsInDecimalOrHexWithinThirtyTwoBits) {
    EXPECT_EQ(ParseWindowId("4194305"), 4194305u);
    EXPECT_EQ(ParseWindowId("0x400001"), 0x400001u);
    EXPECT_EQ(ParseWindowId("0XaBc"), 0xABCu);
    EXPECT_EQ(ParseWindowId("0xA"), 0xAu);
    EXPECT_EQ(ParseWindowId("4294967295"), 4294967295u);
    for (const char* bad : {"", "0", "0x", "0x0", "4294967296", "0x100000000", "12a", "-5", "+5",
                            " 5", "0x 5", "1.0"}) {
        EXPECT_FALSE(ParseWindowId(bad).has_value()) << bad;
    }
}

TEST(DaemonArguments, EachDaemonsWayOfNamingTheWindow) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string_view> variable;
        DaemonRequest expected;
    };
    const Case cases[] = {
        // xscreensaver 6: --root with the window in the variable, in hex.
        {{"--root"}, "0x2a00007", {DaemonTarget::Window, 0x2a00007}},
        // XSecureLock: -root with the window in the variable, in decimal.
        {{"-root"}, "44040199", {DaemonTarget::Window, 44040199}},
        {{"-root"}, std::nullopt, {DaemonTarget::Root, 0}},
        {{"-root"}, "garbage", {DaemonTarget::Root, 0}},
        {{"-window-id", "0x1200003"}, std::nullopt, {DaemonTarget::Window, 0x1200003}},
        {{"--window-id", "77"}, "0x99", {DaemonTarget::Window, 77}},
        {{"--root", "--window-id", "bad"}, "0x99", {DaemonTarget::Window, 0}},
        {{"-window-id"}, std::nullopt, {DaemonTarget::Window, 0}},
        // Not a hack: the desktop clock and the program's own switches, whatever the variable.
        {{}, "0x99", {}},
        {{"/S"}, "0x99", {}},
        {{"/P", "1234"}, std::nullopt, {}},
        {{"-ROOT"}, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadDaemonRequest(c.arguments, c.variable), c.expected)
            << (c.arguments.empty() ? "" : c.arguments[0]);
    }
}

TEST(DaemonArguments, APreviewReadsBackTheWindow) {
    const std::string arguments = PreviewArgumentsFor(0xFFFFFFFFu);
    EXPECT_EQ(RunModeOf(UpperCaseArguments(arguments)), RunMode::Preview);
    EXPECT_EQ(PreviewHandle(UpperCaseArguments(arguments)), HostWindowId{0xFFFFFFFF});
}

}  // namespace
}  // namespace tavrino
