// One run of the session at a time holds the lock; it is free again once its holder goes.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "posix/SessionLock.h"

namespace tavrino::posix {
namespace {

TEST(SessionLock, OneHolderAtATime) {
    std::string folder = (std::filesystem::temp_directory_path() / "tavrino-lock-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string path = folder + "/saver.lock";
    {
        SessionLock first;
        ASSERT_TRUE(first.TryTake(path));
        SessionLock second;
        EXPECT_FALSE(second.TryTake(path));
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(first.TryTake(path));
    }
    SessionLock later;
    EXPECT_TRUE(later.TryTake(path));
    EXPECT_FALSE(SessionLock().TryTake(folder + "/no such folder/saver.lock"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tavrino::posix
