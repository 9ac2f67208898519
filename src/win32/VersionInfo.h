// The two version records the program reads: its own version triple from the version resource
// of its module, and the operating system's version record.
#pragma once

#include <windows.h>

#include "seam/Platform.h"

namespace tavrino::win32 {

// Major, minor and revision from the fixed file version a.b.c.d of the module's version
// resource: a, b and d (the third field, the build number, is not part of the program's
// version). A module without a version resource gives 0.0.0.
ProgramVersionTriple ReadProgramVersion(HMODULE module);

// GetVersionExA over a 148-byte OSVERSIONINFOA. A failed query leaves the record untouched.
bool ReadOsVersion(OsVersionRecord& record);

}  // namespace tavrino::win32
