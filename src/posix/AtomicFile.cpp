#include "posix/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>

namespace tavrino::posix {

namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;
constexpr mode_t kPermissionBits = 07777;
constexpr std::size_t kReadChunk = std::size_t{64} * 1024;
constexpr auto kLockRetryStep = std::chrono::milliseconds(5);

// Repeats a call that a signal interrupted.
template <typename Call>
auto Retried(Call call) {
    auto result = call();
    while (result == -1 && errno == EINTR) {
        result = call();
    }
    return result;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Reads to the end; false on an error or when the text grows beyond maximumSize.
bool ReadToEnd(int descriptor, std::string& text, std::size_t maximumSize) {
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        const ssize_t count =
            Retried([&] { return ::read(descriptor, chunk.data(), chunk.size()); });
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        text.append(chunk, 0, static_cast<std::size_t>(count));
        if (text.size() > maximumSize) {
            return false;
        }
    }
}

bool WriteAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t count =
            Retried([&] { return ::write(descriptor, text.data(), text.size()); });
        if (count <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool FlushFolder(const std::filesystem::path& folder) {
    const UniqueDescriptor opened(
        Retried([&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
    return opened.IsOpen() && ::fsync(opened.Get()) == 0;
}

// A new file beside the target, removed again unless it was renamed into the target's place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target)
        : name_(target.string() + ".XXXXXX"),
          descriptor_(::mkostemp(name_.data(), O_CLOEXEC)),
          created_(descriptor_.IsOpen()) {}
    ~TemporaryFile() {
        descriptor_.Close();
        if (created_ && !renamed_) {
            ::unlink(name_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    UniqueDescriptor& Descriptor() { return descriptor_; }
    bool RenameTo(const std::filesystem::path& target) {
        renamed_ = ::rename(name_.c_str(), target.c_str()) == 0;
        return renamed_;
    }

  private:
    std::string name_;
    UniqueDescriptor descriptor_;
    bool created_;
    bool renamed_ = false;
};

}  // namespace

FileContents ReadRegularFile(const std::filesystem::path& file, std::size_t maximumSize) {
    // Without O_NONBLOCK, opening a named pipe in the file's place would wait for a writer.
    const UniqueDescriptor opened(Retried(
        [&] { return ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); }));
    FileContents contents;
    if (!opened.IsOpen()) {
        if (errno == ENOENT) {
            contents.state = FileContents::State::Absent;
        }
        return contents;
    }
    struct stat status {};
    if (::fstat(opened.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<unsigned long long>(status.st_size) > maximumSize) {
        return contents;
    }
    if (ReadToEnd(opened.Get(), contents.text, maximumSize)) {
        contents.state = FileContents::State::Read;
        contents.permissions = status.st_mode & kPermissionBits;
    } else {
        contents.text.clear();
    }
    return contents;
}

bool MakeFolders(const std::filesystem::path& folder) {
    if (folder.empty()) {
        return true;
    }
    struct stat status {};
    if (::stat(folder.c_str(), &status) == 0) {
        return S_ISDIR(status.st_mode);
    }
    if (errno != ENOENT) {
        return false;
    }
    const std::filesystem::path parent = folder.parent_path();
    if (parent != folder && !MakeFolders(parent)) {
        return false;
    }
    return ::mkdir(folder.c_str(), kPrivateFolder) == 0 || errno == EEXIST;
}

UniqueDescriptor LockExclusively(const std::filesystem::path& lockFile,
                                 std::chrono::milliseconds wait) {
    UniqueDescriptor opened(Retried([&] {
        return ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, kPrivateFile);
    }));
    if (!opened.IsOpen()) {
        return opened;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (Retried([&] { return ::flock(opened.Get(), LOCK_EX | LOCK_NB); }) != 0) {
        const auto now = std::chrono::steady_clock::now();
        if (errno != EWOULDBLOCK || now >= deadline) {
            opened.Close();
            break;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kLockRetryStep, deadline - now));
    }
    return opened;
}

bool ReplaceFile(const std::filesystem::path& target, std::string_view text, mode_t permissions) {
    TemporaryFile temporary(target);
    UniqueDescriptor& descriptor = temporary.Descriptor();
    if (!descriptor.IsOpen() || ::fchmod(descriptor.Get(), permissions) != 0 ||
        !WriteAll(descriptor.Get(), text) || ::fsync(descriptor.Get()) != 0 ||
        !descriptor.Close()) {
        return false;
    }
    return temporary.RenameTo(target) && FlushFolder(FolderOf(target));
}

}  // namespace tavrino::posix
