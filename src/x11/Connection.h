// The connection to the X server and the atoms the frontend names. The connection closes with
// the object; its errors go to a handler that reports them and never ends the process (a hack's
// window may vanish under any request).
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

    Atom wmProtocols;
    Atom wmDeleteWindow;
    Atom motifWmHints;
    Atom utf8String;
    Atom netWmName;
    Atom netWmPid;
    Atom netWmIcon;
    Atom netWmState;
    Atom netWmStateAbove;
    Atom netWmStateSkipTaskbar;
    Atom netWmStateSkipPager;
    Atom netWmMoveResize;
    Atom netWmWindowOpacity;
    Atom netWorkarea;
    Atom netActiveWindow;
    Atom compositingManager;  // _NET_WM_CM_S<screen>, owned by a running compositor
    Atom fullScreenSaver;     // TAVRINO_FULLSCREEN_S<screen>, owned by the full-screen run
    Atom resourceManager;
};

// The display of $DISPLAY; empty when there is none.
UniqueDisplay OpenDisplay();

// Whether the display is reached through a local socket, where shared memory can be attached.
bool IsLocalDisplay(Display* display);

}  // namespace tavrino::x11
