// The operating system's version as the program needs it (module mWinVersion): whether the system
// is of the NT family and whether it offers layered windows, which translucency and the fades
// need. Every answer makes its own query; a failed query leaves the record as the previous query
// left it (zeros before the first), which reads as "not NT, version 0.0".
#pragma once

#include "seam/Platform.h"

namespace tavrino {

class WinVersion {
  public:
    explicit WinVersion(Platform& platform) : platform_(platform) {}

    bool IsNtPlatform();
    // major + minor / 10, so 4.10 (Windows 98) gives 5.0 and 4.90 (ME) gives 13.0.
    float WindowsVersionNumber();
    bool LayeredWindowsAvailable();

  private:
    void Query();

    Platform& platform_;
    OsVersionRecord OsVersion;
};

}  // namespace tavrino
