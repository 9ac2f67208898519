// How the X screensaver daemons start a display module, read into the window it draws in.
#include <gtest/gtest.h>

#include "posix/DaemonArguments.h"

namespace tavrino::posix {
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
    constexpr HostWindowId kRoot = 0x1e3;
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string_view> variable;
        std::optional<HostWindowId> window;  // the preview's host; empty when not a module
    };
    const Case cases[] = {
        // xscreensaver 6: --root with the window in the variable, in hex.
        {{"--root"}, "0x2a00007", 0x2a00007},
        // XSecureLock: -root with the window in the variable, in decimal.
        {{"-root"}, "44040199", 44040199},
        {{"-root"}, std::nullopt, kRoot},
        {{"-root"}, "garbage", kRoot},
        {{"-window-id", "0x1200003"}, std::nullopt, 0x1200003},
        {{"-window-id", "0xFFFFFFFF"}, std::nullopt, 0xFFFFFFFF},
        {{"--window-id", "77"}, "0x99", 77},
        {{"--root", "--window-id", "bad"}, "0x99", 0},
        {{"-window-id"}, std::nullopt, 0},
        // Not a module: the desktop clock and the program's own switches, whatever the variable.
        {{}, "0x99", {}},
        {{"/S"}, "0x99", {}},
        {{"/P", "1234"}, std::nullopt, {}},
        {{"-ROOT"}, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments[0]);
        const std::optional<StartRequest> read =
            ReadDaemonArguments(c.arguments, c.variable, kRoot);
        ASSERT_EQ(read.has_value(), c.window.has_value());
        if (read) {
            EXPECT_EQ(read->mode, RunMode::Preview);
            EXPECT_EQ(read->hostWindow, *c.window);
        }
    }
}

}  // namespace
}  // namespace tavrino::posix
