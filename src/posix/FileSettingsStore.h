// The user's settings on Linux: the program's section of an INI file (see program/SettingsFile.h),
// by default ~/.config/Quenmark/settings.ini. Several runs of the program may write at once
// (a desktop clock and a screensaver, say): each write takes a lock, reads the file as it is then,
// changes its one key and puts the new file in place whole, so no run's value is lost and a reader
// never sees half a file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "seam/SettingsStore.h"

namespace tavrino::posix {

// ${XDG_CONFIG_HOME}/Quenmark/settings.ini when XDG_CONFIG_HOME is an absolute path, otherwise
// below the home folder's .config: $HOME when it is absolute, else the user's entry in the
// password database. Empty when no home folder is known.
std::filesystem::path DefaultSettingsPath();

class FileSettingsStore final : public SettingsStore {
  public:
    explicit FileSettingsStore(std::filesystem::path file);

    // Nothing when the file or the key is absent, or the file cannot be read (a folder, a file
    // larger than any the program writes). Never throws.
    std::optional<std::string> Read(std::string_view key) override;

    // Makes the file's folder when missing (for its owner only), and replaces the file, keeping
    // its permissions (a new file is for its owner only); when the file is a symbolic link, the
    // file it leads to is replaced. Holds an exclusive flock() on "settings.ini.lock" beside it
    // meanwhile: a lock on the file itself would be lost when the new file is renamed into its
    // place. False on any failure, a key that cannot be written included (see IsWritableName);
    // the old file is then untouched and no temporary file is left, except when only flushing the
    // folder after the rename failed.
    bool Write(std::string_view key, std::string_view value) override;

  private:
    std::filesystem::path file_;
};

}  // namespace tavrino::posix
