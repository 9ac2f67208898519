// The program's version text, built from the numbers of the program's version record: major, a
// dot, the minor number as two digits, and a suffix that the revision selects (a letter, Alpha,
// Beta or the sharp s). This release, 1.0 revision 1, reads "1.00a".
#pragma once

#include <string>

#include "seam/Process.h"

namespace tavrino {

std::string ProgramVersionText(const VersionNumbers& version);

}  // namespace tavrino
