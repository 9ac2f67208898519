#include "posix/FileSettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
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
constexpr std::size_t kMaximumFileSize = std::size_t{16} * 1024 * 1024;
constexpr std::size_t kPasswordBufferSize = std::size_t{16} * 1024;

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

bool WriteUnderLock(const std::filesystem::path& file, const std::vector<Setting>& settings,
                    std::chrono::milliseconds lockWait) {
    const UniqueDescriptor lock =
        LockExclusively(file.string() + std::string(kLockSuffix), lockWait);
    if (!lock.IsOpen()) {
        return false;
    }
    // Read under the lock, so the values other runs wrote since are kept.
    const FileContents current = ReadRegularFile(file, kMaximumFileSize);
    if (current.state == FileContents::State::Unreadable) {
        return false;
    }
    std::optional<std::string> text = current.text;
    for (const Setting& setting : settings) {
        text = SetSetting(*text, kProgramName, setting.key, setting.value);
        if (!text || text->size() > kMaximumFileSize) {
            return false;
        }
    }
    const bool existed = current.state == FileContents::State::Read;
    return ReplaceFile(FileToReplace(file), *text,
                       existed ? current.permissions : kNewFilePermissions);
}

// A later value of a key replaces the kept one where it stands.
void Keep(std::vector<Setting>& kept, const Setting& setting) {
    const auto same = std::find_if(kept.begin(), kept.end(),
                                   [&](const Setting& other) { return other.key == setting.key; });
    if (same != kept.end()) {
        same->value = setting.value;
    } else {
        kept.push_back(setting);
    }
}

}  // namespace

std::filesystem::path DefaultSettingsPath() {
    const std::filesystem::path config = ConfigFolder();
    if (config.empty()) {
        return {};
    }
    return config / kApplicationName / kFileName;
}

FileSettingsStore::FileSettingsStore(std::filesystem::path file, LockWaits waits)
    : file_(std::move(file)), waits_(waits) {}

std::optional<std::string> FileSettingsStore::Read(std::string_view key) {
    try {
        const auto keptValue = std::find_if(kept_.begin(), kept_.end(),
                                            [&](const Setting& kept) { return kept.key == key; });
        if (keptValue != kept_.end()) {
            return keptValue->value;
        }
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

bool FileSettingsStore::Write(const std::vector<Setting>& settings) {
    if (!std::all_of(settings.begin(), settings.end(),
                     [](const Setting& setting) { return IsWritableName(setting.key); })) {
        return false;
    }
    try {
        for (const Setting& setting : settings) {
            Keep(kept_, setting);
        }
    } catch (const std::exception&) {
        return false;
    }
    return WriteKept(waits_.whileRunning);
}

bool FileSettingsStore::Flush() {
    if (kept_.empty() || WriteKept(waits_.atTheEnd)) {
        return true;
    }
    if (file_.empty()) {
        std::fputs("tavrino: the settings could not be saved: no home folder is known.\n", stderr);
    } else {
        std::fprintf(stderr, "tavrino: the settings could not be saved to %s.\n", file_.c_str());
    }
    return false;
}

bool FileSettingsStore::WriteKept(std::chrono::milliseconds lockWait) {
    if (kept_.empty()) {
        return true;
    }
    try {
        if (!file_.has_filename() || !MakeFolders(file_.parent_path()) ||
            !WriteUnderLock(file_, kept_, lockWait)) {
            return false;
        }
        kept_.clear();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tavrino::posix
