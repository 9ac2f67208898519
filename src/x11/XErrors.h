// The X errors of the connection. Xlib gives every error of the process to one handler, which
// reports it on stderr and never ends the process, except an error that was expected: one about a
// window that may vanish under the program at any time (a screensaver daemon's window, and ours
// inside it), or one of requests a caller traps to learn whether they succeeded (a shared-memory
// segment the server may not be able to see). The handler finds what is expected on the display
// itself, in an entry of its extension data.
#pragma once

#include <functional>
#include <optional>
#include <set>

#include "x11/XHeaders.h"

namespace tavrino::x11 {

// Reports the error unless the connection's XErrors expects it; OpenDisplay installs it.
int ReportUnexpectedError(Display* display, XErrorEvent* error);

class XErrors {
  public:
    // Made once the display is open, and gone before it closes.
    explicit XErrors(Display* display);
    XErrors(const XErrors&) = delete;
    XErrors& operator=(const XErrors&) = delete;
    ~XErrors();

    // From now on a BadWindow or BadDrawable about this window is expected: it belongs to another
    // program, which may destroy it at any time, and the windows in it with it.
    void ExpectVanishing(XWindow window);
    // Sends the requests made by makeRequests, waits until the server has handled them, and
    // returns whether none of them failed. Their errors are not reported.
    bool Succeed(const std::function<void()>& makeRequests);

    // Whether the error was expected; an error of trapped requests is noted as their failure.
    bool Expects(const XErrorEvent& error);

  private:
    struct Trap {
        unsigned long firstRequest = 0;
        bool failed = false;
    };

    Display* display_;
    XExtData* entry_ = nullptr;  // on the display's list, which frees it as the display closes
    std::set<XWindow> vanishing_;
    std::optional<Trap> trap_;
};

}  // namespace tavrino::x11
