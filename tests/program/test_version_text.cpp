// The program's version text for the revision suffixes and the two-digit minor part.
#include <gtest/gtest.h>

#include "program/VersionText.h"

namespace tavrino {
namespace {

struct VersionCase {
    int major;
    int minor;
    int revision;
    const char* text;
};

TEST(ProgramVersionText, SuffixTable) {
    const VersionCase cases[] = {
        {1, 0, 1, "1.00a"},
        {1, 0, 0, "1.00"},
        {1, 0, 103, "1.00 Beta 3"},
        {1, 0, 100, "1.00 Beta"},
        {1, 0, 199, "1.00 Beta 99"},
        {1, 0, 1000, "1.00 Alpha"},
        {1, 0, 1999, "1.00 Alpha 999"},
        {1, 0, 2000, "1.00 Beta"},
        {1, 0, 2999, "1.00 Beta 999"},
        {1, 0, 255, "1.00\xC3\x9F"},
        {1, 0, 9999, "1.00\xC3\x9F"},
        {1, 0, 26, "1.00z"},
        {1, 0, 27, "1.00"},
        {1, 0, 99, "1.00"},
        {1, 0, 200, "1.00"},
        {1, 0, 254, "1.00"},
        {1, 0, 256, "1.00"},
        {1, 0, 999, "1.00"},
        {1, 0, 3000, "1.00"},
        {1, 0, -1, "1.00"},
        {3, 7, 0, "3.07"},
        {2, 123, 26, "2.23z"},
        {10, 12, 2, "10.12b"},
    };
    for (const VersionCase& c : cases) {
        EXPECT_EQ(ProgramVersionText({c.major, c.minor, c.revision}), c.text)
            << c.major << "." << c.minor << " revision " << c.revision;
    }
}

}  // namespace
}  // namespace tavrino
