// Reading the command line the screensaver host starts the program with: "/S" full screen, "/C"
// the settings dialog alone (as "/C:<window>" with the host's window it belongs to), "/P"
// followed by the host's preview window handle, nothing for the desktop clock. The switches are
// found by plain substring tests on the upper-cased arguments. Window handles are unsigned 32-bit
// numbers, as the system passes them.
#pragma once

#include <string>
#include <string_view>

#include "program/RunMode.h"
#include "seam/ClockWindow.h"

namespace tavrino {

// The arguments in upper case (ASCII letters; other bytes are kept).
std::string UpperCaseArguments(std::string_view arguments);

// Whether the upper-cased arguments contain the switch anywhere, e.g. "/C".
bool HasSwitch(std::string_view cmdLine, std::string_view switchText);

// The run mode the upper-cased arguments ask for. "/C" wins over the others; "/S" and "/P"
// together ask for both. Started from the screensaver file, arguments without a switch ask for
// the settings dialog: that is how the system's "Configure" runs a screensaver.
RunMode RunModeOf(std::string_view cmdLine, bool screensaverFile = false);

// The preview host's window handle: the numeric value of the arguments from their third
// character on, blanks skipped, brought to the nearest unsigned 32-bit integer. 0 when there is
// no number there or it does not fit, so "/P 1234" gives 1234 and "/P", "/P:1234", "/P -5" and
// "/S /P 1234" give 0.
HostWindowId PreviewHandle(std::string_view cmdLine);

// The window the settings dialog belongs to: the number after the first "/C", a colon or blanks
// skipped ("/C:1234", "/C 1234"), brought to the nearest unsigned 32-bit integer. 0 when there is
// none or it does not fit.
HostWindowId ConfigurationOwner(std::string_view cmdLine);

}  // namespace tavrino
