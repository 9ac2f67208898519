// The file operations the settings file needs, over POSIX calls: reading a small regular file
// whole, making its folder, holding a lock beside it, and replacing it so that a reader sees the
// old file or the new one, never a mix, and a crash or a full disk leaves the old one whole.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "posix/UniqueDescriptor.h"

namespace tavrino::posix {

struct FileContents {
    enum class State { Absent, Read, Unreadable };
    State state = State::Unreadable;
    std::string text;
    mode_t permissions = 0;
};

// The whole text of a regular file of at most maximumSize bytes. A folder, a pipe, a device, a
// longer file or a failing read are Unreadable; nothing blocks or reads without end.
FileContents ReadRegularFile(const std::filesystem::path& file, std::size_t maximumSize);

// Makes the folder and any missing folders above it, each readable by its owner only. True when
// the folder exists afterwards.
bool MakeFolders(const std::filesystem::path& folder);

// An exclusive lock on lockFile (created when missing), held until the descriptor is closed;
// closed when the file cannot be opened or locked. While another process holds it, tries again
// every few milliseconds for up to wait, so a caller on the event loop is never held up longer.
UniqueDescriptor LockExclusively(const std::filesystem::path& lockFile,
                                 std::chrono::milliseconds wait);

// Writes text to a new file in target's folder with the given permissions, flushes it to the
// disk, renames it over target and flushes the folder. False on any failure; the new file is then
// removed, and target is as it was unless only the folder's flush failed.
bool ReplaceFile(const std::filesystem::path& target, std::string_view text, mode_t permissions);

}  // namespace tavrino::posix
