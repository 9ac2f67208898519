// The program's settings in the registry: text values under HKEY_CURRENT_USER, in the key
// Software, then the application's name, then the program's (Quenmark, Tavrino), as they have
// always been kept there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "seam/SettingsStore.h"
#include "win32/RegistryStore.h"

namespace tavrino::win32 {

class RegistrySettings final : public SettingsStore {
  public:
    // base replaces "Software" for a test that keeps its values apart.
    explicit RegistrySettings(std::wstring base = L"Software");

    std::optional<std::string> Read(std::string_view key) override;
    // Each value on its own: the others are stored when one is refused.
    bool Write(const std::vector<Setting>& settings) override;
    // Every write has reached the registry already.
    bool Flush() override { return true; }

  private:
    RegistryStore store_;
};

}  // namespace tavrino::win32
