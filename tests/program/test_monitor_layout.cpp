// The screensaver's layout over the monitors of a desk.
#include <gtest/gtest.h>

#include "program/MonitorLayout.h"

namespace tavrino {
namespace {

TEST(MonitorLayout, OneWindowOverEveryMonitorWithAFaceOnEach) {
    constexpr PixelRect kPrimary{0, 0, 1920, 1080};
    // A smaller monitor left of the primary and lower down, so the window starts left of 0,0.
    MonitorLayout layout = LayOutMonitors({kPrimary, {-1280, 200, 0, 1224}}, kPrimary);
    EXPECT_EQ(layout.window, (PixelRect{-1280, 0, 1920, 1224}));
    EXPECT_EQ(layout.faces, (std::vector<PixelRect>{{1280, 0, 3200, 1080}, {0, 200, 1280, 1224}}));

    // Unplugged: the same layout as a desk with just the primary monitor.
    layout = LayOutMonitors({kPrimary}, kPrimary);
    EXPECT_EQ(layout.window, kPrimary);
    EXPECT_EQ(layout.faces, std::vector<PixelRect>{kPrimary});

    // A mirrored monitor reports the same rectangle twice; one without area shows nothing.
    layout = LayOutMonitors({kPrimary, kPrimary, {1920, 0, 1920, 1080}}, kPrimary);
    EXPECT_EQ(layout.window, kPrimary);
    EXPECT_EQ(layout.faces, std::vector<PixelRect>{kPrimary});

    layout = LayOutMonitors({}, kPrimary);
    EXPECT_EQ(layout.window, kPrimary);
    EXPECT_EQ(layout.faces, std::vector<PixelRect>{kPrimary});
}

}  // namespace
}  // namespace tavrino
