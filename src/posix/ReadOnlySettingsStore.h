// The settings as a display hack sees them: read from the user's store, never written, since a
// screensaver daemon may run several hacks at once and none of them is the user's clock.
#pragma once

#include "seam/SettingsStore.h"

namespace tavrino::posix {

class ReadOnlySettingsStore final : public SettingsStore {
  public:
    explicit ReadOnlySettingsStore(SettingsStore& store) : store_(store) {}

    std::optional<std::string> Read(std::string_view key) override { return store_.Read(key); }
    bool Write(std::string_view /*key*/, std::string_view /*value*/) override { return false; }

  private:
    SettingsStore& store_;
};

}  // namespace tavrino::posix
