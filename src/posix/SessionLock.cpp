#include "posix/SessionLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cstdlib>

namespace tavrino::posix {

std::optional<std::string> SessionLock::RuntimePath(const std::string& fileName) {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    if (folder == nullptr || *folder == '\0') {
        return std::nullopt;
    }
    return std::string(folder) + "/" + fileName;
}

bool SessionLock::TryTake(const std::string& path) {
    if (Held()) {
        return true;
    }
    UniqueDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!file.IsOpen() || ::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    file_ = std::move(file);
    return true;
}

}  // namespace tavrino::posix
