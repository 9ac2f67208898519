// The clock window's requests on its frame, band, taskbar button, translucency and pointer. The
// window manager answers in its own time; a request it refuses leaves the window as it was.
#include <vector>

#include "x11/ClockWindow.h"
#include "x11/XProperty.h"

namespace tavrino::x11 {

namespace {

constexpr int kMaxAmount = 255;
constexpr unsigned long kOpacityPerAlpha = 0x01010101;

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr long kMotifDecorationsFlag = 1L << 1;

// _NET_WM_STATE's actions, and the source of a request from an ordinary program.
constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
constexpr long kNormalSource = 1;

}  // namespace

WindowState ClockWindow::State() const {
    if (window_ == 0 || !Managed()) {
        return WindowState::Normal;
    }
    const Atom wmState = XInternAtom(display_, "WM_STATE", True);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool iconic = false;
    if (wmState != 0 &&
        XGetWindowProperty(display_, window_, wmState, 0, 1, False, wmState, &type, &format, &items,
                           &after, &data) == Success &&
        format == 32 && items == 1) {
        iconic = *reinterpret_cast<const long*>(data) == IconicState;
    }
    if (data != nullptr) {
        XFree(data);
    }
    return iconic ? WindowState::Minimised : WindowState::Normal;
}

// An iconified window is mapped again; a hidden one stays hidden until Show.
void ClockWindow::Restore() {
    if (visible_ && State() == WindowState::Minimised) {
        XMapRaised(display_, window_);
        XFlush(display_);
    }
}

// The desktop clock has no decorations at all; its edges still resize it (ClockWindowInput.cpp).
void ClockWindow::HideTitleBar() {
    if (window_ == 0) {
        return;
    }
    decorated_ = false;
    WriteItems(display_, window_, atoms_.motifWmHints, atoms_.motifWmHints,
               {kMotifDecorationsFlag, 0, 0, 0, 0});
}

// Full screen: the window manager leaves the window alone. Asked for while the window is unmapped,
// before it is placed over the monitors.
void ClockWindow::RemoveBorder() {
    if (window_ == 0 || host_ != 0) {
        return;
    }
    HideTitleBar();
    fullScreen_ = true;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(display_, window_, CWOverrideRedirect, &attributes);
}

void ClockWindow::ShowTaskbarButton(bool show) {
    taskbarButton_ = show;
    ChangeWmState(atoms_.netWmStateSkipTaskbar, !show);
    ChangeWmState(atoms_.netWmStateSkipPager, !show);
}

void ClockWindow::SetOnTop(bool onTop) {
    onTop_ = onTop;
    ChangeWmState(atoms_.netWmStateAbove, onTop);
    if (!visible_) {
        Show();
    }
    if (fullScreen_ && mapped_) {
        XRaiseWindow(display_, window_);
    }
    XFlush(display_);
}

void ClockWindow::ChangeWmState(Atom state, bool on) {
    if (window_ == 0 || !Managed()) {
        return;
    }
    if (!mapped_) {
        WriteWmState();
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = atoms_.netWmState;
    event.xclient.format = 32;
    event.xclient.data.l[0] = on ? kStateAdd : kStateRemove;
    event.xclient.data.l[1] = static_cast<long>(state);
    event.xclient.data.l[3] = kNormalSource;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display_);
}

void ClockWindow::WriteWmState() {
    if (window_ == 0 || !Managed()) {
        return;
    }
    std::vector<Atom> states;
    if (onTop_) {
        states.push_back(atoms_.netWmStateAbove);
    }
    if (!taskbarButton_) {
        states.push_back(atoms_.netWmStateSkipTaskbar);
        states.push_back(atoms_.netWmStateSkipPager);
    }
    WriteAtoms(display_, window_, atoms_.netWmState, states);
}

bool ClockWindow::TranslucencyAvailable() const {
    return XGetSelectionOwner(display_, atoms_.compositingManager) != 0;
}

// The compositor reads the opacity from the top-level window, the window manager's frame when it
// has one, and some from the client: both get it.
void ClockWindow::SetTranslucency(int amount) {
    if (amount < 0 || amount > kMaxAmount || window_ == 0) {
        return;
    }
    const auto alpha = static_cast<unsigned long>(kMaxAmount - amount);
    const std::vector<long> opacity{static_cast<long>(alpha * kOpacityPerAlpha)};
    WriteCardinals(display_, window_, atoms_.netWmWindowOpacity, opacity);
    const XWindow frame = FrameWindow();
    if (frame != window_ && frame != 0) {
        WriteCardinals(display_, frame, atoms_.netWmWindowOpacity, opacity);
    }
    XFlush(display_);
}

// The ancestor that is a child of the root.
XWindow ClockWindow::FrameWindow() const {
    XWindow current = window_;
    while (current != 0) {
        XWindow root = 0;
        XWindow parent = 0;
        XWindow* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display_, current, &root, &parent, &children, &count) == 0) {
            return 0;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == root || parent == 0) {
            return current;
        }
        current = parent;
    }
    return 0;
}

void ClockWindow::SetPointerVisible(bool visible) {
    if (window_ == 0) {
        return;
    }
    pointerHidden_ = !visible;
    if (pointerHidden_) {
        XDefineCursor(display_, window_, BlankCursor());
    } else {
        XUndefineCursor(display_, window_);
    }
    XFlush(display_);
}

}  // namespace tavrino::x11
