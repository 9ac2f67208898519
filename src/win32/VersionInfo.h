// The program's own version, read from the version resource of its module.
#pragma once

#include <windows.h>

#include "seam/Process.h"

namespace tavrino::win32 {

// Major, minor and revision from the fixed file version a.b.c.d of the module's version
// resource: a, b and d (the third field, the build number, is not part of the program's
// version). A module without a version resource gives 0.0.0.
VersionNumbers ReadProgramVersion(HMODULE module);

}  // namespace tavrino::win32
