// Whether the system offers layered windows, from its version record, including failed queries.
#include <gtest/gtest.h>

#include <string>

#include "win32/OsVersion.h"

namespace tavrino::win32 {
namespace {

constexpr std::uint32_t kWindows9x = 1;
constexpr std::uint32_t kWindowsNt = 2;

TEST(OffersLayeredWindows, NtFromVersionFiveOn) {
    struct Case {
        OsVersionRecord record;
        bool layered;
    };
    const Case cases[] = {
        {{5, 0, kWindowsNt}, true},       // 2000: 5.0 itself counts
        {{5, 1, kWindowsNt}, true},       // XP
        {{6, 1, kWindowsNt}, true},       // 7
        {{10, 0, kWindowsNt}, true},      // 10
        {{4, 0, kWindowsNt}, false},      // NT 4.0
        {{4, 10, kWindows9x}, false},     // 98: 4.10 reads as 5.0, but it is no NT
        {{4, 90, kWindows9x}, false},     // ME
        {{40000, 0, kWindowsNt}, false},  // parts beyond 16 bits are no known version
        {{5, 40000, kWindowsNt}, false}, {{0, 0, 0}, false},  // the record before any query
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.record.majorVersion) + "." +
                     std::to_string(c.record.minorVersion));
        EXPECT_EQ(OffersLayeredWindows(c.record), c.layered);
    }
}

TEST(OsVersion, EachAnswerQueriesAndAFailedQueryKeepsThePreviousRecord) {
    OsVersionRecord system{5, 1, kWindowsNt};
    bool fails = true;
    int queries = 0;
    OsVersion version([&](OsVersionRecord& record) {
        ++queries;
        if (!fails) {
            record = system;
        }
        return !fails;
    });

    EXPECT_FALSE(version.LayeredWindowsAvailable());  // zeros before the first answer
    fails = false;
    EXPECT_TRUE(version.LayeredWindowsAvailable());
    fails = true;
    system = {4, 90, kWindows9x};
    EXPECT_TRUE(version.LayeredWindowsAvailable());
    fails = false;
    EXPECT_FALSE(version.LayeredWindowsAvailable());
    EXPECT_EQ(queries, 4);
}

TEST(ReadOsVersion, FillsTheRecordOfAnNtSystem) {
    OsVersionRecord record;
    ASSERT_TRUE(ReadOsVersion(record));
    EXPECT_GT(record.majorVersion, 0u);
    EXPECT_EQ(record.platformId, kWindowsNt);
}

}  // namespace
}  // namespace tavrino::win32
