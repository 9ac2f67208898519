// The clock window's events: keys, buttons and pointer moves, focus, its size and place as the
// window manager or the server reports them, closing, and its host's changes.
#include <X11/keysym.h>

#include <array>
#include <optional>

#include "x11/ClockWindow.h"

namespace tavrino::x11 {

namespace {

// The band along the desktop clock's edges that resizes it.
constexpr int kResizeBand = 6;

// _NET_WM_MOVERESIZE's directions by row (top band, middle, bottom band) and column.
constexpr std::array<std::array<std::optional<long>, 3>, 3> kResizeDirections{{
    {0L, 1L, 2L},
    {7L, std::nullopt, 3L},
    {6L, 5L, 4L},
}};
constexpr long kNormalSource = 1;

// 0 in the band before the start, 2 in the band before the end, 1 between.
std::size_t BandOf(int position, int size) {
    if (position < kResizeBand) {
        return 0;
    }
    return position >= size - kResizeBand ? 2 : 1;
}

Key KeyOf(KeySym symbol) {
    switch (symbol) {
        case XK_Escape:
            return Key::Escape;
        case XK_F1:
            return Key::F1;
        case XK_F4:
            return Key::F4;
        default:
            return Key::Other;
    }
}

bool IsKeyDown(const std::array<char, 32>& keys, unsigned keycode) {
    return (static_cast<unsigned char>(keys[keycode / 8]) & (1U << (keycode % 8))) != 0;
}

}  // namespace

bool ClockWindow::OnEvent(XEvent& event) {
    if (canvas_.OnEvent(event)) {
        return true;
    }
    if (host_ != 0 && event.xany.window == host_) {
        OnHostEvent(event);
        return true;
    }
    if (window_ == 0 || event.xany.window != window_) {
        return false;
    }
    switch (event.type) {
        case Expose:
            canvas_.Repaint({event.xexpose.x, event.xexpose.y,
                             event.xexpose.x + event.xexpose.width,
                             event.xexpose.y + event.xexpose.height});
            break;
        case ConfigureNotify:
            OnConfigure(event.xconfigure);
            break;
        case MapNotify:
            mapped_ = true;
            GrabKeyboard();
            break;
        case UnmapNotify:
            mapped_ = false;
            break;
        case ReparentNotify:
            parent_ = event.xreparent.parent;
            break;
        case ClientMessage:
            OnClientMessage(event.xclient);
            break;
        default:
            if (events_ == nullptr) {
                break;
            }
            if (event.type == kKeyPressEvent || event.type == kKeyReleaseEvent) {
                OnKey(event.xkey);
            } else if (event.type == ButtonPress) {
                OnButtonPress(event.xbutton);
            } else if (event.type == ButtonRelease) {
                OnButtonRelease(event.xbutton);
            } else if (event.type == MotionNotify) {
                OnMotion(event.xmotion);
            } else if (event.type == FocusIn) {
                OnFocusIn(event.xfocus);
            } else if (event.type == FocusOut) {
                OnFocusOut(event.xfocus);
            }
            break;
    }
    return true;
}

void ClockWindow::OnMonitorsChanged() {
    origin_ = screen_.RootOrigin();
}

// With detectable auto-repeat a held key sends presses only; a press of a key that is down
// already is a repeat, also for a key held down before the window had the focus.
void ClockWindow::OnKey(const XKeyEvent& event) {
    if (event.type == kKeyReleaseEvent) {
        keysDown_.erase(event.keycode);
        return;
    }
    KeyPress press;
    XKeyEvent copy = event;
    press.key = KeyOf(XLookupKeysym(&copy, 0));
    press.shift = (event.state & ShiftMask) != 0;
    press.control = (event.state & ControlMask) != 0;
    press.alt = (event.state & Mod1Mask) != 0;
    press.repeat = !keysDown_.insert(event.keycode).second;
    events_->OnKey(press);
}

void ClockWindow::OnButtonPress(const XButtonEvent& event) {
    if (event.button != Button1) {
        return;
    }
    if (StartEdgeResize(event)) {
        return;
    }
    leftPressed_ = true;
}

void ClockWindow::OnButtonRelease(const XButtonEvent& event) {
    if (event.button != Button1 || !leftPressed_) {
        return;
    }
    leftPressed_ = false;
    events_->OnClick();
}

// The pointer's place in the window is taken from the window's place as the clock knows it,
// which a drag has just set even when the window manager has not moved the window yet: a drag
// then follows the pointer exactly.
void ClockWindow::OnMotion(const XMotionEvent& event) {
    PointerMove move;
    if (Managed()) {
        move.x = event.x_root - origin_.left - rect_.left;
        move.y = event.y_root - origin_.top - rect_.top;
    } else {
        move.x = event.x;
        move.y = event.y;
    }
    move.left = (event.state & Button1Mask) != 0;
    move.right = (event.state & Button3Mask) != 0;
    move.middle = (event.state & Button2Mask) != 0;
    events_->OnPointerMove(move);
}

// The window manager resizes the desktop clock from the band along its edges.
bool ClockWindow::StartEdgeResize(const XButtonEvent& event) {
    if (!Managed() || decorated_) {
        return false;
    }
    const std::optional<long> direction =
        kResizeDirections[BandOf(event.y, rect_.Height())][BandOf(event.x, rect_.Width())];
    if (!direction) {
        return false;
    }
    XUngrabPointer(display_, CurrentTime);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window_;
    message.xclient.message_type = atoms_.netWmMoveResize;
    message.xclient.format = 32;
    message.xclient.data.l[0] = event.x_root;
    message.xclient.data.l[1] = event.y_root;
    message.xclient.data.l[2] = *direction;
    message.xclient.data.l[3] = Button1;
    message.xclient.data.l[4] = kNormalSource;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
    XFlush(display_);
    return true;
}

void ClockWindow::OnFocusIn(const XFocusChangeEvent& event) {
    if (event.detail == NotifyPointer || event.detail == NotifyInferior) {
        return;
    }
    std::array<char, 32> keys{};
    XQueryKeymap(display_, keys.data());
    keysDown_.clear();
    for (unsigned keycode = 0; keycode < keys.size() * 8; ++keycode) {
        if (IsKeyDown(keys, keycode)) {
            keysDown_.insert(keycode);
        }
    }
    GrabKeyboard();
    events_->OnFocus();
}

// The focus went to another program's window: set by it (or by the window manager for it), not a
// grab of our own coming or going.
void ClockWindow::OnFocusOut(const XFocusChangeEvent& event) {
    const bool taken = event.mode == NotifyNormal || event.mode == NotifyWhileGrabbed;
    if (!taken || event.detail == NotifyPointer || event.detail == NotifyInferior) {
        return;
    }
    events_->OnOtherProgramActivated();
}

// A synthetic event (the window manager's) has the place on the root; a real one has it in the
// parent, which is the root only for a window without a frame.
void ClockWindow::OnConfigure(const XConfigureEvent& event) {
    // Inside a daemon's window only we size our window, after the host's size: a report that
    // comes late from before the last request is no news.
    if (host_ != 0) {
        return;
    }
    if (Managed() && (event.send_event == True || parent_ == root_)) {
        rect_ = {event.x - origin_.left, event.y - origin_.top,
                 event.x - origin_.left + event.width, event.y - origin_.top + event.height};
    } else {
        rect_.right = rect_.left + event.width;
        rect_.bottom = rect_.top + event.height;
    }
    TakeSize(event.width, event.height);
}

void ClockWindow::OnHostEvent(const XEvent& event) {
    switch (event.type) {
        case ConfigureNotify:
            if (drawsInHost_) {
                rect_ = {0, 0, event.xconfigure.width, event.xconfigure.height};
                TakeSize(event.xconfigure.width, event.xconfigure.height);
            } else {
                SetRect({0, 0, event.xconfigure.width, event.xconfigure.height});
            }
            break;
        case Expose:
            if (drawsInHost_) {
                canvas_.Repaint({event.xexpose.x, event.xexpose.y,
                                 event.xexpose.x + event.xexpose.width,
                                 event.xexpose.y + event.xexpose.height});
            }
            break;
        case DestroyNotify:
            host_ = 0;
            drawsInHost_ = false;
            canvas_.ShowIn(0, nullptr, 0);
            if (events_ != nullptr) {
                events_->OnHostGone();
            }
            break;
        default:
            break;
    }
}

void ClockWindow::OnClientMessage(const XClientMessageEvent& event) {
    if (event.message_type == atoms_.wmProtocols && event.format == 32 &&
        static_cast<Atom>(event.data.l[0]) == atoms_.wmDeleteWindow && events_ != nullptr) {
        events_->OnClose();
    }
}

}  // namespace tavrino::x11
