// The user's stored settings: text values by key, kept for each user from one run to the next.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrino {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text; empty when the key is absent or holds no readable text.
    virtual std::optional<std::string> Read(std::string_view key) = 0;
    // Whether the value was stored. A refused write changes nothing.
    virtual bool Write(std::string_view key, std::string_view value) = 0;

  protected:
    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = default;
    SettingsStore& operator=(const SettingsStore&) = default;
};

}  // namespace tavrino
