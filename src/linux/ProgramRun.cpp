#include "linux/ProgramRun.h"

#include <cstdlib>

namespace tavrino {

std::optional<std::string> EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace tavrino
