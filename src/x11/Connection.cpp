#include "x11/Connection.h"

#include <sys/socket.h>

#include <array>
#include <string>
#include <utility>

#include "x11/XErrors.h"

namespace tavrino::x11 {

namespace {

// The atoms named the same on every display, and where each goes.
constexpr std::array<std::pair<const char*, Atom Atoms::*>, 16> kNamedAtoms{{
    {"WM_PROTOCOLS", &Atoms::wmProtocols},
    {"WM_DELETE_WINDOW", &Atoms::wmDeleteWindow},
    {"_MOTIF_WM_HINTS", &Atoms::motifWmHints},
    {"UTF8_STRING", &Atoms::utf8String},
    {"_NET_WM_NAME", &Atoms::netWmName},
    {"_NET_WM_PID", &Atoms::netWmPid},
    {"_NET_WM_ICON", &Atoms::netWmIcon},
    {"_NET_WM_STATE", &Atoms::netWmState},
    {"_NET_WM_STATE_ABOVE", &Atoms::netWmStateAbove},
    {"_NET_WM_STATE_SKIP_TASKBAR", &Atoms::netWmStateSkipTaskbar},
    {"_NET_WM_STATE_SKIP_PAGER", &Atoms::netWmStateSkipPager},
    {"_NET_WM_MOVERESIZE", &Atoms::netWmMoveResize},
    {"_NET_WM_WINDOW_OPACITY", &Atoms::netWmWindowOpacity},
    {"_NET_WORKAREA", &Atoms::netWorkarea},
    {"_NET_ACTIVE_WINDOW", &Atoms::netActiveWindow},
    {"RESOURCE_MANAGER", &Atoms::resourceManager},
}};

}  // namespace

// All in one request: each XInternAtom of its own would wait for its own reply, and a start pays
// for every round trip.
Atoms::Atoms(Display* display) {
    const std::string screen = std::to_string(XDefaultScreen(display));
    const std::string compositor = "_NET_WM_CM_S" + screen;
    const std::string saver = "TAVRINO_FULLSCREEN_S" + screen;
    std::array<char*, kNamedAtoms.size() + 2> names{};
    for (std::size_t i = 0; i < kNamedAtoms.size(); ++i) {
        names[i] = const_cast<char*>(kNamedAtoms[i].first);  // XInternAtoms only reads them
    }
    names[kNamedAtoms.size()] = const_cast<char*>(compositor.c_str());
    names[kNamedAtoms.size() + 1] = const_cast<char*>(saver.c_str());
    std::array<Atom, names.size()> atoms{};
    XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());
    for (std::size_t i = 0; i < kNamedAtoms.size(); ++i) {
        this->*kNamedAtoms[i].second = atoms[i];
    }
    compositingManager = atoms[kNamedAtoms.size()];
    fullScreenSaver = atoms[kNamedAtoms.size() + 1];
}

UniqueDisplay OpenDisplay() {
    UniqueDisplay display(XOpenDisplay(nullptr));
    if (display) {
        XSetErrorHandler(&ReportUnexpectedError);
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
