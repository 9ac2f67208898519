// Which display system a run speaks, from its arguments, the session's variables and what the
// compositor offers.
#include <gtest/gtest.h>

#include "posix/DisplaySystemChoice.h"

namespace tavrino::posix {
namespace {

constexpr auto X11 = DisplaySystem::X11;
constexpr auto Wayland = DisplaySystem::Wayland;
constexpr auto Offered = LayerShellOffer::Offered;
constexpr auto Missing = LayerShellOffer::Missing;
constexpr auto NoConnection = LayerShellOffer::NoConnection;

DisplaySession Session(bool waylandDisplay, bool waylandSocket, bool x11Display,
                       std::optional<std::string> window = std::nullopt) {
    return {waylandDisplay, waylandSocket, x11Display, std::move(window)};
}

TEST(DisplaySystemChoice, TheSessionAndTheCompositorDecide) {
    struct Case {
        std::vector<std::string> arguments;
        DisplaySession session;
        LayerShellOffer offer;
        std::optional<DisplaySystem> chosen;  // empty: the run ends with status 1
    };
    const Case cases[] = {
        // The screensaver is native where layer shells are offered (sway), X11 elsewhere (GNOME).
        {{"/s"}, Session(true, false, true), Offered, Wayland},
        {{"/S"}, Session(true, false, false), Offered, Wayland},
        {{"/s"}, Session(true, false, true), Missing, X11},
        {{"/s"}, Session(false, false, true), Offered, X11},
        {{"/s"}, Session(false, true, true), Offered, Wayland},
        // So is the desktop clock; the settings alone and the preview stay on X11 (XWayland).
        {{}, Session(true, false, true), Offered, Wayland},
        {{}, Session(true, false, true), Missing, X11},
        {{"/c"}, Session(true, false, true), Offered, X11},
        {{"/p", "123"}, Session(true, false, true), Offered, X11},
        // A daemon's X window is always X11; -root alone only without a display or with a socket.
        {{"-window-id", "0x400001"}, Session(true, true, false), Offered, X11},
        {{"-root"}, Session(true, true, false, "0x400001"), Offered, X11},
        {{"-root"}, Session(true, false, true), Offered, X11},
        {{"-root"}, Session(false, true, true), Offered, Wayland},
        {{"--root"}, Session(true, false, false), Offered, Wayland},
        {{"-root"}, Session(false, true, false), Missing, X11},
        // Forced either way.
        {{"--x11", "/s"}, Session(true, false, true), Offered, X11},
        {{"/s", "--wayland"}, Session(false, false, true), Offered, Wayland},
        {{"--wayland", "/s"}, Session(true, false, true), Missing, std::nullopt},
        {{"--wayland", "/s"}, Session(false, false, true), NoConnection, std::nullopt},
        {{"--wayland", "/c"}, Session(true, false, true), Offered, std::nullopt},
        {{"--wayland"}, Session(false, false, true), Offered, Wayland},
        {{"--wayland", "-window-id", "5"}, Session(true, false, true), Offered, std::nullopt},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        const DisplayChoice choice =
            ChooseDisplaySystem(arguments, c.session, [&c] { return c.offer; });
        const std::string seen = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(choice.system, c.chosen) << seen;
        EXPECT_EQ(choice.problem.empty(), c.chosen.has_value()) << seen;
        for (const std::string& argument : arguments) {
            EXPECT_NE(argument, "--x11") << seen;
            EXPECT_NE(argument, "--wayland") << seen;
        }
    }
}

TEST(DisplaySystemChoice, TheProblemSaysWhatIsMissing) {
    std::vector<std::string> arguments{"--wayland", "/s"};
    const DisplaySession session = Session(true, false, true);
    EXPECT_NE(ChooseDisplaySystem(arguments, session, [] { return Missing; })
                  .problem.find("zwlr_layer_shell_v1"),
              std::string::npos);
    arguments = {"--wayland", "/s"};
    EXPECT_NE(ChooseDisplaySystem(arguments, session, [] { return NoConnection; })
                  .problem.find("WAYLAND_DISPLAY"),
              std::string::npos);
}

// A run that stays X11 whatever the compositor offers does not connect to it.
TEST(DisplaySystemChoice, AnX11RunDoesNotConnectToTheCompositor) {
    int probes = 0;
    std::vector<std::string> arguments{"/c"};
    ChooseDisplaySystem(arguments, Session(true, false, true), [&probes] {
        ++probes;
        return Offered;
    });
    EXPECT_EQ(probes, 0);
}

}  // namespace
}  // namespace tavrino::posix
