// The user's stored settings: text values by key, kept for each user from one run to the next.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino {

struct Setting {
    std::string key;
    std::string value;
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text; empty when the key is absent or holds no readable text.
    virtual std::optional<std::string> Read(std::string_view key) = 0;
    // Stores the values together, as one change where the store can. False when some were not
    // stored: a store that could not get to its data just now keeps them, to be written with its
    // next write and read back meanwhile; one that refuses a value changes nothing for it.
    virtual bool Write(const std::vector<Setting>& settings) = 0;
    // The run ends: what earlier writes kept is written now, waiting longer for the store when it
    // must. False when something is still not stored. Nothing is written after this.
    virtual bool Flush() = 0;

  protected:
    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = default;
    SettingsStore& operator=(const SettingsStore&) = default;
};

}  // namespace tavrino
