// How this run of the program was started. The screensaver host starts it full screen, as a
// small preview inside a window of the host's, or as the settings dialog alone; started any other
// way it is the desktop clock. The full screen's and the preview's rules are asked for through
// IsFullScreen and IsPreview, so that a run started with both switches keeps both sets.
#pragma once

#include <string_view>

namespace tavrino {

enum class RunMode {
    Desktop,
    FullScreen,
    Preview,
    // Both the preview's and the full screen's switches: shown inside the host's window like the
    // preview, with the full screen's rules besides.
    PreviewAndFullScreen,
    Configuration,
};

// The full-screen screensaver's rules: the pointer is hidden, a click ends the run and the window
// keeps no minimum size.
constexpr bool IsFullScreen(RunMode mode) {
    return mode == RunMode::FullScreen || mode == RunMode::PreviewAndFullScreen;
}

// The clock lives inside the host's window: no translucency of its own and nothing to drag.
constexpr bool IsPreview(RunMode mode) {
    return mode == RunMode::Preview || mode == RunMode::PreviewAndFullScreen;
}

// Either way the screensaver shows its clock: any key ends it, nothing drags it, and the settings
// dialog puts the pointer onto its OK button.
constexpr bool IsScreensaverWindow(RunMode mode) {
    return IsFullScreen(mode) || IsPreview(mode);
}

// The screensaver keeps its own colour, fading and amount, under the desktop clock's keys with
// this suffix.
constexpr std::string_view KeySuffix(RunMode mode) {
    return mode == RunMode::Desktop ? "" : ".scr";
}

}  // namespace tavrino
