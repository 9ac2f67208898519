// Reading the command line the screensaver host starts the program with: "/S" full screen, "/C"
// the settings dialog alone (as "/C:<window>" with the host's window it belongs to), "/P"
// followed by the host's preview window handle, nothing for the desktop clock. Both frontends
// read the program's own switches this way. The switches are found by plain substring tests on
// the upper-cased arguments, so "/s", "x/sy" and "/SAVE" all ask for the full screen. Window
// handles are unsigned 32-bit numbers, as the system passes them.
#pragma once

#include <string>
#include <string_view>

#include "program/StartRequest.h"

namespace tavrino {

// The arguments in upper case (ASCII letters; other bytes are kept).
std::string UpperCaseArguments(std::string_view arguments);

// What the arguments (without the program's path) ask for.
//
// The mode: "/C" wins over the others; "/S" and "/P" together ask for both. Started from the
// screensaver file, arguments without a switch ask for the settings dialog: that is how the
// system's "Configure" runs a screensaver.
//
// The preview's host: the numeric value of the arguments from their third character on, blanks
// skipped, brought to the nearest unsigned 32-bit integer; 0 when there is no number there or it
// does not fit. So "/P 1234" gives 1234 and "/P", "/P:1234", "/P -5" and "/S /P 1234" give 0.
//
// The settings dialog's owner: the number after the first "/C", a colon or blanks skipped
// ("/C:1234", "/C 1234"), brought to the nearest unsigned 32-bit integer; 0 when there is none
// or it does not fit.
StartRequest ReadCommandLine(std::string_view arguments, bool screensaverFile = false);

}  // namespace tavrino
