// The settings as a display hack sees them: read from the user's store, never written, since a
// screensaver daemon may run several hacks at once and none of them is the user's clock.
#pragma once

#include "seam/SettingsStore.h"

namespace tavrino::posix {

class ReadOnlySettingsStore final : public SettingsStore {
  public:
    explicit ReadOnlySettingsStore(SettingsStore& store) : store_(store) {}

    std::optional<std::string> Read(std::string_view key) override { return store_.Read(key); }
    bool Write(const std::vector<Setting>& /*settings*/) override { return false; }
    bool Flush() override { return true; }  // it keeps nothing

  private:
    SettingsStore& store_;
};

}  // namespace tavrino::posix
