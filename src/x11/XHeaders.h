// Xlib and its extensions, included in one place. X.h names its event types KeyPress and
// KeyRelease as macros, which would rename the seam's KeyPress: the frontend uses the constants
// below instead, and the macros go.
#pragma once

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

namespace tavrino::x11 {

inline constexpr int kKeyPressEvent = KeyPress;
inline constexpr int kKeyReleaseEvent = KeyRelease;

// Xlib's window id, which the seam's Window would hide inside the namespace.
using XWindow = ::Window;

}  // namespace tavrino::x11

#undef KeyPress
#undef KeyRelease
