// A lock that one run of the session holds at a time: an flock on a file in the user's runtime
// folder ($XDG_RUNTIME_DIR), held until the process ends or the lock goes. Used where the display
// system has no owner of its own to claim (an X selection), as for the one full-screen
// screensaver of a Wayland session.
#pragma once

#include <optional>
#include <string>

#include "posix/UniqueDescriptor.h"

namespace tavrino::posix {

class SessionLock {
  public:
    // The file in the runtime folder, or empty when XDG_RUNTIME_DIR is not set.
    static std::optional<std::string> RuntimePath(const std::string& fileName);

    // Takes the lock on path without waiting; false when another holds it or the file cannot be
    // opened.
    bool TryTake(const std::string& path);
    bool Held() const { return file_.IsOpen(); }

  private:
    UniqueDescriptor file_;
};

}  // namespace tavrino::posix
