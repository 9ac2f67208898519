// The operating system's version as the program reads it, including failed queries.
#include <gtest/gtest.h>

#include "program/WinVersion.h"
#include "support/FakePlatform.h"

namespace tavrino {
namespace {

constexpr std::uint32_t kWindows9x = 1;
constexpr std::uint32_t kWindowsNt = 2;

class WinVersionTest : public ::testing::Test {
  protected:
    FakePlatform fake;
    WinVersion winVersion{fake};
};

TEST_F(WinVersionTest, KnownSystems) {
    struct Case {
        OsVersionRecord record;
        bool nt;
        float number;
        bool layered;
    };
    const Case cases[] = {
        {{5, 0, kWindowsNt}, true, 5.0f, true},      // 2000: 5.0 itself counts
        {{5, 1, kWindowsNt}, true, 5.1f, true},      // XP
        {{6, 1, kWindowsNt}, true, 6.1f, true},      // 7
        {{4, 0, kWindowsNt}, true, 4.0f, false},     // NT 4.0
        {{4, 10, kWindows9x}, false, 5.0f, false},   // 98: 4.10 reads as 5.0, but not NT
        {{4, 90, kWindows9x}, false, 13.0f, false},  // ME
    };
    for (const Case& c : cases) {
        fake.osVersion = c.record;
        SCOPED_TRACE(std::to_string(c.record.majorVersion) + "." +
                     std::to_string(c.record.minorVersion));
        EXPECT_EQ(winVersion.IsNtPlatform(), c.nt);
        EXPECT_EQ(winVersion.WindowsVersionNumber(), c.number);
        EXPECT_EQ(winVersion.LayeredWindowsAvailable(), c.layered);
    }
}

TEST_F(WinVersionTest, EveryAnswerMakesItsOwnQuery) {
    winVersion.IsNtPlatform();
    winVersion.WindowsVersionNumber();
    winVersion.LayeredWindowsAvailable();

    EXPECT_EQ(fake.Calls({"GetVersionEx"}).size(), 4u);
}

TEST_F(WinVersionTest, FailedFirstQueryReadsAsNoNtAndVersionZero) {
    fake.versionQueryFails = true;

    EXPECT_FALSE(winVersion.IsNtPlatform());
    EXPECT_EQ(winVersion.WindowsVersionNumber(), 0.0f);
    EXPECT_FALSE(winVersion.LayeredWindowsAvailable());
}

TEST_F(WinVersionTest, FailedQueryKeepsThePreviousAnswer) {
    fake.osVersion = {5, 1, kWindowsNt};
    ASSERT_TRUE(winVersion.LayeredWindowsAvailable());

    fake.versionQueryFails = true;
    fake.osVersion = {4, 90, kWindows9x};
    EXPECT_TRUE(winVersion.IsNtPlatform());
    EXPECT_EQ(winVersion.WindowsVersionNumber(), 5.1f);
    EXPECT_TRUE(winVersion.LayeredWindowsAvailable());
}

TEST_F(WinVersionTest, PartsBeyondSixteenBitsAreNoKnownVersion) {
    fake.osVersion = {40000, 0, kWindowsNt};

    EXPECT_EQ(winVersion.WindowsVersionNumber(), 0.0f);
    EXPECT_FALSE(winVersion.LayeredWindowsAvailable());
}

}  // namespace
}  // namespace tavrino
