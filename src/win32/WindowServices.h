// Window services over user32: translucency, the topmost band, the taskbar button, the title bar
// and the embedding into the screensaver host's preview window. Each is a free function over a
// window handle, keeps no state, and ignores the results of the calls it makes: a failing call
// leaves the window as it was. Win32Platform calls them for the forms of the program's logic.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tavrino::win32 {

// Alpha 255 - amount through the layered-window facility. WS_EX_LAYERED stays set from the first
// call on. The frame refresh keeps the window's place in the Z-order, so a topmost window stays
// topmost through the fades and every slider move. An amount outside 0..255 leaves the window
// untouched.
void SetTranslucency(HWND window, int amount);

// Topmost band when onTop is exactly -1, the non-topmost band otherwise. The window keeps its
// position and size and is shown and activated.
void SetAlwaysOnTop(HWND window, std::int16_t onTop);

// A taskbar button when show is non-zero. The window is hidden around the style change so that
// the taskbar picks it up; a hidden window stays hidden.
void SetTaskbarVisibility(HWND window, std::int16_t show);

// Clears the WS_CAPTION bits and keeps everything else, the sizing frame included. The frame is
// redrawn without a title bar at the window's next frame change.
void HideTitleBar(HWND window);

// Makes the window a child (and owned window) of host, at the host's client origin and with its
// client size, shown without taking the activation.
void AttachToParent(HWND window, HWND host, std::int16_t fitSize);

// Whether a number from the command line names an existing window.
bool IsWindowHandle(std::intptr_t handle);

}  // namespace tavrino::win32
