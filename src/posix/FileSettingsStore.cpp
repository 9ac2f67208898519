#include "posix/FileSettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include "posix/AtomicFile.h"
#include "program/ProgramNames.h"
#include "program/SettingsFile.h"

namespace tavrino::posix {

namespace {

constexpr std::string_view kFileName = "settings.ini";
constexpr std::string_view kLockSuffix = ".lock";
constexpr mode_t kNewFilePermissions = 0600;
// Far beyond any file the program writes; a larger one is not read into memory.
constexpr std::size_t kMaximumFileSize = 16 * 1024 * 1024;
constexpr std::size_t kPasswordBufferSize = 16 * 1024;

std::optional<std::filesystem::path> AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || !std::filesystem::path(value).is_absolute()) {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

std::filesystem::path HomeFolder() {
    if (auto home = AbsoluteFromEnvironment("HOME")) {
        return *std::move(home);
    }
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested)
                                           : kPasswordBufferSize);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr ||
        !std::filesystem::path(found->pw_dir).is_absolute()) {
        return {};
    }
    return found->pw_dir;
}

std::filesystem::path ConfigFolder() {
    if (auto config = AbsoluteFromEnvironment("XDG_CONFIG_HOME")) {
        return *std::move(config);
    }
    std::filesystem::path home = HomeFolder();
    return home.empty() ? home : home / ".config";
}

// A settings file that is a symbolic link (one a dotfile manager keeps, say) stays a link: the file
// it leads to is replaced.
std::filesystem::path FileToReplace(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

bool WriteUnderLock(const std::filesystem::path& file, std::string_view key,
                    std::string_view value) {
    const UniqueDescriptor lock = LockExclusively(file.string() + std::string(kLockSuffix));
    if (!lock.IsOpen()) {
        return false;
    }
    // Read under the lock, so the values other runs wrote since are kept.
    const FileContents current = ReadRegularFile(file, kMaximumFileSize);
    if (current.state == FileContents::State::Unreadable) {
        return false;
    }
    const std::optional<std::string> text = SetSetting(current.text, kProgramName, key, value);
    if (!text || text->size() > kMaximumFileSize) {
        return false;
    }
    const bool existed = current.state == FileContents::State::Read;
    return ReplaceFile(FileToReplace(file), *text,
                       existed ? current.permissions : kNewFilePermissions);
}

}  // namespace

std::filesystem::path DefaultSettingsPath() {
    const std::filesystem::path config = ConfigFolder();
    if (config.empty()) {
        return {};
    }
    return config / kApplicationName / kFileName;
}

FileSettingsStore::FileSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<std::string> FileSettingsStore::Read(std::string_view key) {
    try {
        if (!file_.has_filename()) {
            return std::nullopt;
        }
        const FileContents contents = ReadRegularFile(file_, kMaximumFileSize);
        SettingsValues values = ParseSettings(contents.text, kProgramName);
        const auto found = values.find(key);
        if (found == values.end()) {
            return std::nullopt;
        }
        return std::move(found->second);
    } catch (const std::exception&) {
        // Out of memory for the file's text: the program goes on with its defaults.
        return std::nullopt;
    }
}

bool FileSettingsStore::Write(std::string_view key, std::string_view value) {
    try {
        return file_.has_filename() && MakeFolders(file_.parent_path()) &&
               WriteUnderLock(file_, key, value);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tavrino::posix
