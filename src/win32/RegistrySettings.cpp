#include "win32/RegistrySettings.h"

#include <utility>

#include "program/ProgramNames.h"

namespace tavrino::win32 {

RegistrySettings::RegistrySettings(std::wstring base)
    : store_(HKEY_CURRENT_USER, std::move(base)) {}

std::optional<std::string> RegistrySettings::Read(std::string_view key) {
    return store_.Read(kApplicationName, kProgramName, key);
}

bool RegistrySettings::Write(const std::vector<Setting>& settings) {
    bool stored = true;
    for (const Setting& setting : settings) {
        stored = store_.Write(kApplicationName, kProgramName, setting.key, setting.value) && stored;
    }
    return stored;
}

}  // namespace tavrino::win32
