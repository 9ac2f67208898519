// How Windows started this process, as the program's start request: the arguments of the command
// line (what follows the program's path) and whether the program's file is the screensaver file,
// which the screensaver host's "Configure" starts without a switch.
#pragma once

#include <string>
#include <string_view>

#include "program/StartRequest.h"

namespace tavrino::win32 {

// The arguments of a Windows command line: what follows the program path (quoted or not) and
// the blanks after it.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

// Whether a program file is a screensaver file: its name ends in ".scr", in any case.
bool IsScreensaverFile(std::wstring_view path);

// What a whole command line, program path first, asks of the program in the file programFile.
StartRequest StartRequestOf(std::wstring_view commandLine, std::wstring_view programFile);

// The path of this process's program file; empty when it cannot be read.
std::wstring ProgramFile();

// What this process's own command line and program file ask for.
StartRequest ProcessStartRequest();

}  // namespace tavrino::win32
