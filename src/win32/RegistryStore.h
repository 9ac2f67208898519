// The per-user settings store over the registry. An application and a section name a key
// <root>\<base>\<application>\<section>; its values are REG_SZ text, UTF-8 to the program and
// UTF-16 in the registry. Reading never fails for missing data: an absent application, section
// or key, or a value that is not plain REG_SZ text (an expandable one included), reads as no value,
// and a text ends at its first null. A write that the registry refuses reports false and changes
// nothing, so the program keeps its options in memory.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tavrino::win32 {

class RegistryStore {
  public:
    explicit RegistryStore(HKEY root = HKEY_CURRENT_USER, std::wstring base = L"Software");

    std::optional<std::string> Read(std::string_view application, std::string_view section,
                                    std::string_view key) const;
    bool Write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value);

  private:
    std::wstring SectionPath(std::string_view application, std::string_view section) const;

    HKEY root_;
    std::wstring base_;
};

}  // namespace tavrino::win32
