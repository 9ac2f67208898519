// Reading how a screensaver daemon of the X Window System starts a display module ("hack"):
// xscreensaver passes "-root" or "--root" (and since version 6 the window in
// $XSCREENSAVER_WINDOW), or "-window-id ID"; XSecureLock passes "-root" with the window in
// $XSCREENSAVER_WINDOW. Window ids are written in decimal or as 0x hex. A module runs the
// program's preview in the window it is given, or on the root window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/StartRequest.h"

namespace tavrino::posix {

// A window id: decimal digits, or "0x"/"0X" and hex digits; more than 0 and below 2^32. Nothing
// else.
std::optional<std::uint32_t> ParseWindowId(std::string_view text);

// What the arguments (without the program's path) and the value of $XSCREENSAVER_WINDOW, if set,
// ask of a display module: the preview in the window named, or in rootWindow when a root switch
// names none. A window id named on the command line wins over the variable, which counts only
// with a root switch; an unreadable variable leaves the root, and an unreadable id a window that
// cannot be found (0). Empty when the arguments are not a module's: the program's own switches
// then apply.
std::optional<StartRequest> ReadDaemonArguments(const std::vector<std::string>& arguments,
                                                std::optional<std::string_view> windowVariable,
                                                HostWindowId rootWindow);

// The program's own switches (/s, /c, /p ...), read from the arguments as one line.
StartRequest ReadProgramSwitches(const std::vector<std::string>& arguments);

}  // namespace tavrino::posix
