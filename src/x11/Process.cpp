#include "x11/Process.h"

#include <utility>

namespace tavrino::x11 {

Process::Process(Display* display, const Atoms& atoms, posix::EventLoop& loop,
                 ClockWindow& clockWindow, Ticks& ticks)
    : display_(display), atoms_(atoms), loop_(loop), clockWindow_(clockWindow), ticks_(ticks) {}

// The server lets the selection go with the connection, however the process ends. Taking it is
// checked afterwards, since another run may have taken it in between.
bool Process::ClaimFullScreenSaver() {
    const XWindow ours = clockWindow_.Handle();
    const XWindow owner = XGetSelectionOwner(display_, atoms_.fullScreenSaver);
    if (owner == ours && ours != 0) {
        return true;
    }
    if (owner != 0 || ours == 0) {
        return false;
    }
    XSetSelectionOwner(display_, atoms_.fullScreenSaver, ours, CurrentTime);
    return XGetSelectionOwner(display_, atoms_.fullScreenSaver) == ours;
}

VersionNumbers Process::ProgramVersion() const {
    return {TAVRINO_VERSION_MAJOR, TAVRINO_VERSION_MINOR, TAVRINO_VERSION_REVISION};
}

// The clock window goes first, so that a hack's host is left without our drawing at once. The
// loop stops, so nothing more is handled and main returns, closing the display on its way out.
void Process::EndProcess() {
    ticks_.CancelTick();
    clockWindow_.Destroy();
    XSync(display_, False);
    loop_.Stop();
}

}  // namespace tavrino::x11
