#include <gtest/gtest.h>

#include "win32/Text.h"

namespace tavrino::win32 {
namespace {

TEST(Text, GermanTextSurvivesTheRoundTrip) {
    const std::string german =
        "Fenster-Position sperren, \xC3\xBC"
        "ber, Gr\xC3\xBC\xC3\x9F"
        "e";
    const std::wstring wide = Widen(german);
    EXPECT_EQ(wide, L"Fenster-Position sperren, \u00FCber, Gr\u00FC\u00DFe");
    EXPECT_EQ(Narrow(wide), german);
}

TEST(Text, EmptyStaysEmpty) {
    EXPECT_TRUE(Widen("").empty());
    EXPECT_TRUE(Narrow(L"").empty());
}

}  // namespace
}  // namespace tavrino::win32
