#include "win32/RegistrySettings.h"

#include <utility>

#include "program/ProgramNames.h"

namespace tavrino::win32 {

RegistrySettings::RegistrySettings(std::wstring base)
    : store_(HKEY_CURRENT_USER, std::move(base)) {}

std::optional<std::string> RegistrySettings::Read(std::string_view key) {
    return store_.Read(kApplicationName, kProgramName, key);
}

bool RegistrySettings::Write(std::string_view key, std::string_view value) {
    return store_.Write(kApplicationName, kProgramName, key, value);
}

}  // namespace tavrino::win32
