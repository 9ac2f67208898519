// The user's settings on Linux: the program's section of an INI file (see program/SettingsFile.h),
// by default ~/.config/Quenmark/settings.ini. Several runs of the program may write at once
// (a desktop clock and a screensaver, say): each write takes a lock, reads the file as it is then,
// changes its keys and puts the new file in place whole, so no run's value is lost and a reader
// never sees half a file.
//
// The writes come from the event loop, so the lock is waited for briefly only: values that could
// not be written then are kept, read back from here, and written with the next write or, at the
// latest, by Flush at the end of the run, which waits longer.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "seam/SettingsStore.h"

namespace tavrino::posix {

// ${XDG_CONFIG_HOME}/Quenmark/settings.ini when XDG_CONFIG_HOME is an absolute path, otherwise
// below the home folder's .config: $HOME when it is absolute, else the user's entry in the
// password database. Empty when no home folder is known.
std::filesystem::path DefaultSettingsPath();

// How long a write waits for another run's lock on the file.
struct LockWaits {
    std::chrono::milliseconds whileRunning{100};
    std::chrono::milliseconds atTheEnd{3000};
};

class FileSettingsStore final : public SettingsStore {
  public:
    explicit FileSettingsStore(std::filesystem::path file, LockWaits waits = {});

    // A kept value, else the file's. Nothing when the file or the key is absent, or the file
    // cannot be read (a folder, a file larger than any the program writes). Never throws.
    std::optional<std::string> Read(std::string_view key) override;

    // Writes the kept values and then these in one replacement of the file. Makes the file's
    // folder when missing (for its owner only), and replaces the file, keeping its permissions (a
    // new file is for its owner only); when the file is a symbolic link, the file it leads to is
    // replaced. Holds an exclusive flock() on "settings.ini.lock" beside it meanwhile: a lock on
    // the file itself would be lost when the new file is renamed into its place. A key that
    // cannot be written (see IsWritableName) refuses the whole write, and nothing of it is kept.
    // Any other failure keeps the values; the old file is then untouched and no temporary file
    // is left, except when only flushing the folder after the rename failed.
    bool Write(const std::vector<Setting>& settings) override;

    // Writes what is kept, waiting for the lock up to LockWaits::atTheEnd; when that fails, says
    // so in one line on the error stream.
    bool Flush() override;

  private:
    bool WriteKept(std::chrono::milliseconds lockWait);

    std::filesystem::path file_;
    LockWaits waits_;
    std::vector<Setting> kept_;  // not in the file yet, in the order they came
};

}  // namespace tavrino::posix
