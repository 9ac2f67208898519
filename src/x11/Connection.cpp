#include "x11/Connection.h"

#include <sys/socket.h>

#include <cstdio>
#include <string>

namespace tavrino::x11 {

namespace {

Atom Intern(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

Atom PerScreen(Display* display, const char* prefix) {
    const std::string name = prefix + std::to_string(XDefaultScreen(display));
    return Intern(display, name.c_str());
}

// A failed request leaves things as they were; the event that explains it (a DestroyNotify of the
// hack's window) comes on its own.
int ReportError(Display* display, XErrorEvent* error) {
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "tavrino: X error: %s (request %d)\n", text, error->request_code);
    return 0;
}

}  // namespace

Atoms::Atoms(Display* display)
    : wmProtocols(Intern(display, "WM_PROTOCOLS")),
      wmDeleteWindow(Intern(display, "WM_DELETE_WINDOW")),
      motifWmHints(Intern(display, "_MOTIF_WM_HINTS")),
      utf8String(Intern(display, "UTF8_STRING")),
      netWmName(Intern(display, "_NET_WM_NAME")),
      netWmPid(Intern(display, "_NET_WM_PID")),
      netWmIcon(Intern(display, "_NET_WM_ICON")),
      netWmState(Intern(display, "_NET_WM_STATE")),
      netWmStateAbove(Intern(display, "_NET_WM_STATE_ABOVE")),
      netWmStateSkipTaskbar(Intern(display, "_NET_WM_STATE_SKIP_TASKBAR")),
      netWmStateSkipPager(Intern(display, "_NET_WM_STATE_SKIP_PAGER")),
      netWmMoveResize(Intern(display, "_NET_WM_MOVERESIZE")),
      netWmWindowOpacity(Intern(display, "_NET_WM_WINDOW_OPACITY")),
      netWorkarea(Intern(display, "_NET_WORKAREA")),
      netActiveWindow(Intern(display, "_NET_ACTIVE_WINDOW")),
      compositingManager(PerScreen(display, "_NET_WM_CM_S")),
      fullScreenSaver(PerScreen(display, "TAVRINO_FULLSCREEN_S")),
      resourceManager(Intern(display, "RESOURCE_MANAGER")) {}

UniqueDisplay OpenDisplay() {
    UniqueDisplay display(XOpenDisplay(nullptr));
    if (display) {
        XSetErrorHandler(&ReportError);
    }
    return display;
}

bool IsLocalDisplay(Display* display) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(XConnectionNumber(display), reinterpret_cast<sockaddr*>(&address), &length) !=
        0) {
        return false;
    }
    return address.ss_family == AF_UNIX;
}

}  // namespace tavrino::x11
