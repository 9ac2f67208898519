// Reading how a screensaver daemon of the X Window System starts a display hack: xscreensaver
// passes "-root" or "--root" (and since version 6 the window in $XSCREENSAVER_WINDOW), or
// "-window-id ID"; XSecureLock passes "-root" with the window in $XSCREENSAVER_WINDOW. Window ids
// are written in decimal or as 0x hex. The frontend turns the result into the preview's own
// arguments, "/P <window>", so that a hack runs the program's preview.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino {

enum class DaemonTarget {
    NotAHack,
    Root,    // draw on the root window
    Window,  // draw into `window`, which is 0 when the id given cannot be read
};

struct DaemonRequest {
    DaemonTarget target = DaemonTarget::NotAHack;
    std::uint32_t window = 0;

    friend bool operator==(const DaemonRequest&, const DaemonRequest&) = default;
};

// A window id: decimal digits, or "0x"/"0X" and hex digits; more than 0 and below 2^32. Nothing
// else.
std::optional<std::uint32_t> ParseWindowId(std::string_view text);

// What the arguments (without the program's path) and the value of $XSCREENSAVER_WINDOW, if set,
// ask for. A window id named on the command line wins over the variable, which counts only with
// a root switch; an unreadable variable leaves the root.
DaemonRequest ReadDaemonRequest(const std::vector<std::string>& arguments,
                                std::optional<std::string_view> windowVariable);

// The program's own preview arguments for a hack drawing into the window: "/P <decimal id>".
std::string PreviewArgumentsFor(std::uint32_t window);

}  // namespace tavrino
