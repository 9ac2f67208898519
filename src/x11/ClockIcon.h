// The program's icon for the window manager and the taskbar (_NET_WM_ICON): the face itself at
// 10:08:42, drawn by the face's own renderer at 16, 32 and 48 pixels.
#pragma once

#include <vector>

namespace tavrino::x11 {

// The icons one after another, each as width, height and then its pixels as 0xAARRGGBB, one
// item each: the property's CARDINAL items as Xlib takes them.
std::vector<long> ClockIconItems();

}  // namespace tavrino::x11
