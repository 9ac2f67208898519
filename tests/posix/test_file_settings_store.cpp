// The settings file on disk: what reads from absent, broken and foreign files, what a write keeps,
// that a failed write leaves the old file whole, that a write replaces the file once, that a lock
// held elsewhere holds a write up only briefly, and that writers running at once lose nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "posix/FileSettingsStore.h"
#include "posix/UniqueDescriptor.h"

namespace tavrino::posix {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string TextOf(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::set<std::string> NamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

fs::perms PermissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

pid_t StartChildProcess(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    return child;
}

int ExitStatusOf(pid_t child) {
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Runs body in a child process; its result is the child's exit status.
int InChildProcess(const std::function<int()>& body) {
    return ExitStatusOf(StartChildProcess(body));
}

// Another process holding the lock on lockFile from construction until Release, or for
// holdFor at most.
class LockHolder {
  public:
    LockHolder(const fs::path& lockFile, std::chrono::milliseconds holdFor) {
        std::array<int, 2> locked{};
        std::array<int, 2> release{};
        if (::pipe(locked.data()) != 0 || ::pipe(release.data()) != 0) {
            ADD_FAILURE() << "no pipes";
            return;
        }
        child_ = StartChildProcess([&] {
            ::close(release[1]);  // so that the parent's close reads as the end
            const UniqueDescriptor lock(::open(lockFile.c_str(), O_RDWR | O_CREAT, 0600));
            if (::flock(lock.Get(), LOCK_EX) != 0 || ::write(locked[1], "x", 1) != 1) {
                return 1;
            }
            pollfd released{release[0], POLLIN, 0};
            ::poll(&released, 1, static_cast<int>(holdFor.count()));
            return 0;
        });
        ::close(locked[1]);
        ::close(release[0]);
        release_ = UniqueDescriptor(release[1]);
        const UniqueDescriptor lockedSignal(locked[0]);
        char byte = 0;
        EXPECT_EQ(::read(lockedSignal.Get(), &byte, 1), 1) << "the other process took no lock";
    }
    ~LockHolder() { Release(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    void Release() {
        if (release_.IsOpen()) {
            release_.Close();
            EXPECT_EQ(ExitStatusOf(child_), 0);
        }
    }

  private:
    pid_t child_ = -1;
    UniqueDescriptor release_;
};

// How often a new file was put in place of one in folder, the way ReplaceFile does it: renamed
// away from a temporary name beside it. (Events of renames onto the same name would be merged.)
class ReplacementCounter {
  public:
    explicit ReplacementCounter(const fs::path& folder)
        : watch_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(::inotify_add_watch(watch_.Get(), folder.c_str(), IN_MOVED_FROM), 0);
    }
    int ReplacementsOf(const std::string& name) {
        alignas(inotify_event) std::array<char, std::size_t{64} * 1024> buffer{};
        const ssize_t size = ::read(watch_.Get(), buffer.data(), buffer.size());
        for (ssize_t at = 0; at < size;) {
            inotify_event event{};
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const std::string movedName = buffer.data() + at + sizeof event;
            replacements_ += movedName.starts_with(name + ".") ? 1 : 0;
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
        return replacements_;
    }

  private:
    UniqueDescriptor watch_;
    int replacements_ = 0;
};

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

class FileSettingsStoreTest : public ::testing::Test {
  protected:
    FileSettingsStoreTest() {
        std::string name = (fs::temp_directory_path() / "tavrino-store-XXXXXX").string();
        root_ = ::mkdtemp(name.data());
        // Open to other users, for the write that drops root's rights.
        fs::permissions(root_,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        file_ = root_ / "Quenmark" / "settings.ini";
    }
    ~FileSettingsStoreTest() override {
        std::error_code ignored;
        fs::permissions(file_.parent_path(), fs::perms::owner_all, ignored);
        fs::remove_all(root_, ignored);
    }

    // The old file, to check that a failed write left it as it was.
    void WriteOldFile() {
        fs::create_directories(file_.parent_path());
        WriteText(file_, kOldText);
        fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write |
                                   fs::perms::group_read | fs::perms::others_read);
    }
    void ExpectOldFileAlone() {
        EXPECT_EQ(TextOf(file_), kOldText);
        const std::set<std::string> names = NamesIn(file_.parent_path());
        EXPECT_TRUE(names == std::set<std::string>{"settings.ini"} ||
                    names == (std::set<std::string>{"settings.ini", "settings.ini.lock"}));
    }

    static inline const std::string kOldText = "[Tavrino]\nTaskBar=0\n";
    fs::path root_;
    fs::path file_;
};

TEST_F(FileSettingsStoreTest, AbsentFileAndKeyReadAsNothingAndAWriteMakesPrivateFolders) {
    const fs::path deep = root_ / "config" / "Quenmark" / "settings.ini";
    FileSettingsStore store(deep);
    EXPECT_EQ(store.Read("WinLeft"), std::nullopt);
    EXPECT_FALSE(fs::exists(root_ / "config"));
    ASSERT_TRUE(store.Write({{"WinLeft", "32"}}));
    EXPECT_EQ(TextOf(deep), "[Tavrino]\nWinLeft=32\n");
    EXPECT_EQ(store.Read("WinTop"), std::nullopt);
    EXPECT_EQ(PermissionsOf(root_ / "config"), fs::perms::owner_all);
    EXPECT_EQ(PermissionsOf(deep.parent_path()), fs::perms::owner_all);
    EXPECT_EQ(PermissionsOf(deep), fs::perms::owner_read | fs::perms::owner_write);

    const fs::perms shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(deep, shared);
    ASSERT_TRUE(store.Write({{"WinTop", "-8"}}));
    EXPECT_EQ(PermissionsOf(deep), shared);
    EXPECT_EQ(store.Read("WinLeft"), "32");
    EXPECT_EQ(store.Read("WinTop"), "-8");
    EXPECT_EQ(FileSettingsStore("").Read("WinLeft"), std::nullopt);
    EXPECT_FALSE(FileSettingsStore("").Write({{"WinLeft", "1"}}));
}

TEST_F(FileSettingsStoreTest, BrokenFilesReadWhatIsReadable) {
    fs::create_directories(file_.parent_path());
    FileSettingsStore store(file_);
    std::string binary;
    for (unsigned i = 0; i < 100000; ++i) {
        binary += static_cast<char>((i * 2654435761u) >> 24);
    }
    const std::string longLine(1 << 20, 'x');
    WriteText(file_, binary + "\n[Tavrino]\nOnTop=1\n" + longLine + "\nLockWindow=" + longLine +
                         "\n" + binary);
    EXPECT_EQ(store.Read("OnTop"), "1");
    EXPECT_EQ(store.Read("LockWindow"), longLine);
    ASSERT_TRUE(store.Write({{"Fading", "0"}}));
    EXPECT_EQ(store.Read("Fading"), "0");
    EXPECT_EQ(store.Read("LockWindow"), longLine);

    WriteText(file_, "TaskBar=1\n[Other]\nTaskBar=1\n");
    EXPECT_EQ(store.Read("TaskBar"), std::nullopt);

    fs::remove(file_);
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);  // a writer never comes: the read must not wait
    EXPECT_EQ(store.Read("TaskBar"), std::nullopt);
    EXPECT_FALSE(store.Write({{"TaskBar", "1"}}));
    EXPECT_EQ(store.Read("TaskBar"), "1");  // kept for the next write
    fs::remove(file_);
    fs::create_directory(file_);
    FileSettingsStore another(file_);
    EXPECT_EQ(another.Read("TaskBar"), std::nullopt);
    EXPECT_FALSE(another.Write({{"TaskBar", "1"}}));
}

TEST_F(FileSettingsStoreTest, AWriteKeepsOtherSectionsCommentsAndALink) {
    fs::create_directories(file_.parent_path());
    const fs::path linked = root_ / "dotfiles.ini";
    WriteText(linked, "# mine\n[Other]\nTaskBar=9\n\n[Tavrino]\n; kept\nTaskBar=0\n");
    fs::create_symlink(linked, file_);
    ASSERT_TRUE(FileSettingsStore(file_).Write({{"TaskBar", "1"}}));
    ASSERT_TRUE(FileSettingsStore(file_).Write({{"BlueNumbers.scr", "0"}}));
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(TextOf(linked),
              "# mine\n[Other]\nTaskBar=9\n\n[Tavrino]\n; kept\nTaskBar=1\nBlueNumbers.scr=0\n");
}

TEST_F(FileSettingsStoreTest, AFailedWriteLeavesTheOldFileWhole) {
    WriteOldFile();
    // The folder is a file.
    EXPECT_FALSE(FileSettingsStore(file_ / "settings.ini").Write({{"TaskBar", "1"}}));
    // A disk that fills up while the new file is written.
    EXPECT_EQ(
        InChildProcess([&] {
            const rlimit limit{4096, 4096};
            std::signal(SIGXFSZ, SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return FileSettingsStore(file_).Write({{"TaskBar", std::string(10000, '1')}}) ? 1 : 0;
        }),
        0);
    ExpectOldFileAlone();
    // A folder the user may not write to; root may write anywhere, so it writes as nobody.
    fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(InChildProcess([&] {
                  constexpr uid_t kNobody = 65534;
                  if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
                      return 2;
                  }
                  FileSettingsStore store(file_);
                  return store.Read("TaskBar") == "0" && !store.Write({{"TaskBar", "1"}}) ? 0 : 1;
              }),
              0);
    ExpectOldFileAlone();
}

TEST_F(FileSettingsStoreTest, AWriteOfSeveralKeysReplacesTheFileOnceWithAllOfThem) {
    WriteOldFile();
    ReplacementCounter replacements(file_.parent_path());
    FileSettingsStore store(file_);
    ASSERT_TRUE(store.Write({{"TaskBar", "1"},
                             {"OnTop", "0"},
                             {"LockWindow", "0"},
                             {"BlueNumbers", "1"},
                             {"Fading", "0"},
                             {"Transparence", "63"}}));
    EXPECT_EQ(replacements.ReplacementsOf("settings.ini"), 1);
    EXPECT_EQ(TextOf(file_),
              "[Tavrino]\nTaskBar=1\nOnTop=0\nLockWindow=0\nBlueNumbers=1\nFading=0\n"
              "Transparence=63\n");
}

TEST_F(FileSettingsStoreTest, ALockHeldElsewhereFailsAWriteSoonAndTheNextWriteBringsItsValues) {
    WriteOldFile();
    FileSettingsStore store(file_);
    LockHolder other(file_.string() + ".lock", 3s);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(store.Write({{"OnTop", "1"}, {"Fading", "0"}}));
    const double waited = MillisecondsSince(start);
    EXPECT_GE(waited, 90);
    EXPECT_LT(waited, 500);
    ExpectOldFileAlone();
    EXPECT_EQ(store.Read("Fading"), "0");  // the values are kept meanwhile

    other.Release();
    ASSERT_TRUE(store.Write({{"Fading", "1"}, {"WinLeft", "5"}}));
    EXPECT_EQ(TextOf(file_), kOldText + "OnTop=1\nFading=1\nWinLeft=5\n");
}

TEST_F(FileSettingsStoreTest, AtTheEndALockHeldTooLongLeavesTheOldFileWholeAndSaysSoOnce) {
    WriteOldFile();
    const fs::path errors = root_ / "errors";
    LockHolder other(file_.string() + ".lock", 5s);
    // In a child process, whose error stream goes to a file.
    EXPECT_EQ(InChildProcess([&] {
                  const UniqueDescriptor errorFile(
                      ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
                  ::dup2(errorFile.Get(), STDERR_FILENO);
                  FileSettingsStore store(file_, LockWaits{100ms, 400ms});
                  store.Write({{"TaskBar", "1"}});
                  const auto start = std::chrono::steady_clock::now();
                  const bool flushed = store.Flush();
                  const double waited = MillisecondsSince(start);
                  return !flushed && waited >= 390 && waited < 2000 ? 0 : 1;
              }),
              0);
    ExpectOldFileAlone();
    EXPECT_EQ(TextOf(errors),
              "tavrino: the settings could not be saved to " + file_.string() + ".\n");
}

TEST_F(FileSettingsStoreTest, WritersAtOnceLoseNothing) {
    constexpr int kWriters = 4;
    constexpr int kKeysEach = 3;
    constexpr int kRounds = 20;
    const auto key = [](int writer, int k) { return "Key" + std::to_string(writer * 10 + k); };
    const auto value = [](int writer, int round) {
        return "round " + std::to_string(round) + " of writer " + std::to_string(writer) + "\n";
    };
    std::vector<pid_t> children;
    children.reserve(kWriters);
    for (int writer = 0; writer < kWriters; ++writer) {
        children.push_back(StartChildProcess([&] {
            // A write that found the lock taken for long keeps its value for the next one.
            FileSettingsStore store(file_);
            for (int round = 0; round < kRounds; ++round) {
                for (int k = 0; k < kKeysEach; ++k) {
                    store.Write({{key(writer, k), value(writer, round)}});
                }
            }
            return store.Flush() ? 0 : 1;
        }));
    }
    for (const pid_t child : children) {
        EXPECT_EQ(ExitStatusOf(child), 0);
    }
    FileSettingsStore store(file_);
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int k = 0; k < kKeysEach; ++k) {
            EXPECT_EQ(store.Read(key(writer, k)), value(writer, kRounds - 1)) << key(writer, k);
        }
    }
    EXPECT_EQ(NamesIn(file_.parent_path()),
              (std::set<std::string>{"settings.ini", "settings.ini.lock"}));
}

TEST(DefaultSettingsPath, FollowsTheConfigFolderOrTheHomeFolder) {
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    const fs::path fromDatabase = fs::path(user->pw_dir) / ".config/Quenmark/settings.ini";
    // The environment changes in a child process only; each bit of its status is a case that
    // failed.
    EXPECT_EQ(
        InChildProcess([&] {
            ::setenv("XDG_CONFIG_HOME", "/config/of/user", 1);
            ::setenv("HOME", "/home/user", 1);
            int failed = DefaultSettingsPath() == "/config/of/user/Quenmark/settings.ini" ? 0 : 1;
            ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
            failed |= DefaultSettingsPath() == "/home/user/.config/Quenmark/settings.ini" ? 0 : 2;
            ::unsetenv("XDG_CONFIG_HOME");
            ::unsetenv("HOME");
            failed |= DefaultSettingsPath() == fromDatabase ? 0 : 4;
            return failed;
        }),
        0);
}

}  // namespace
}  // namespace tavrino::posix
