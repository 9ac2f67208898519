// The connection to the X server and the atoms the frontend names. The connection closes with
// the object; its errors go to a handler that reports them and never ends the process
// (x11/XErrors.h).
#pragma once

#include <memory>

#include "x11/XHeaders.h"

namespace tavrino::x11 {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using UniqueDisplay = std::unique_ptr<Display, DisplayCloser>;

struct Atoms {
    explicit Atoms(Display* display);

    Atom wmProtocols = None;
    Atom wmDeleteWindow = None;
    Atom motifWmHints = None;
    Atom utf8String = None;
    Atom netWmName = None;
    Atom netWmPid = None;
    Atom netWmIcon = None;
    Atom netWmState = None;
    Atom netWmStateAbove = None;
    Atom netWmStateSkipTaskbar = None;
    Atom netWmStateSkipPager = None;
    Atom netWmMoveResize = None;
    Atom netWmWindowOpacity = None;
    Atom netWorkarea = None;
    Atom netActiveWindow = None;
    Atom compositingManager = None;  // _NET_WM_CM_S<screen>, owned by a running compositor
    Atom fullScreenSaver = None;     // TAVRINO_FULLSCREEN_S<screen>, owned by the full-screen run
    Atom resourceManager = None;
};

// The display of $DISPLAY; empty when there is none.
UniqueDisplay OpenDisplay();

// Whether the display is reached through a local socket, where shared memory can be attached.
bool IsLocalDisplay(Display* display);

}  // namespace tavrino::x11
