// The screen's resolution as the X resources give it.
#include <gtest/gtest.h>

#include "x11/Screen.h"

namespace tavrino::x11 {
namespace {

TEST(X11Screen, ResolutionIsXftDpiRoundedElse96) {
    struct Case {
        const char* resources;
        int expected;
    };
    const Case cases[] = {
        {"Xft.dpi:\t144\n", 144},
        {"Xcursor.size:\t24\nXft.dpi:\t120.6\nXft.hinting:\t1\n", 121},
        {"Xft.dpi:96", 96},
        {"*Xft.dpi:\t192\n", 96},  // not the Xft.dpi resource itself
        {"Xft.dpi:\tlarge\n", 96},
        {"Xft.dpi:\t0\n", 96},
        {"", 96},
        {nullptr, 96},
    };
    for (const Case& c : cases) {
        const PixelsPerInch resolution = ResolutionOf(c.resources);
        EXPECT_EQ(resolution.x, c.expected) << (c.resources ? c.resources : "(none)");
        EXPECT_EQ(resolution.y, c.expected);
    }
}

}  // namespace
}  // namespace tavrino::x11
