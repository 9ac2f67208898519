// Settings kept in memory for one run only. A stand-in until the settings file store takes its
// place in the composition.
#pragma once

#include <map>
#include <string>

#include "seam/SettingsStore.h"

namespace tavrino::x11 {

class MemorySettingsStore final : public SettingsStore {
  public:
    std::optional<std::string> Read(std::string_view key) override {
        const auto found = values_.find(std::string(key));
        return found == values_.end() ? std::nullopt : std::optional(found->second);
    }
    bool Write(std::string_view key, std::string_view value) override {
        values_[std::string(key)] = value;
        return true;
    }

  private:
    std::map<std::string, std::string> values_;
};

}  // namespace tavrino::x11
