// What the fuzz targets share: the input as text or as parts, the check that ends the run as a
// finding when a property does not hold, and a settings store kept in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "seam/SettingsStore.h"

namespace tavrino::fuzz {

inline std::string_view TextOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The text split at its NUL bytes: a command line's arguments, or one stored value each.
inline std::vector<std::string_view> PartsOf(std::string_view text) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const std::size_t end = text.find('\0');
        parts.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return parts;
}

// A broken property is a finding like a crash: libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

class MemoryStore final : public SettingsStore {
  public:
    std::optional<std::string> Read(std::string_view key) override {
        const auto found = values_.find(std::string(key));
        return found == values_.end() ? std::nullopt : std::optional(found->second);
    }
    bool Write(const std::vector<Setting>& settings) override {
        for (const Setting& setting : settings) {
            values_[setting.key] = setting.value;
        }
        return true;
    }
    bool Flush() override { return true; }

  private:
    std::map<std::string, std::string> values_;
};

}  // namespace tavrino::fuzz
