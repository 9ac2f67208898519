#include "x11/ClockWindow.h"

#include <unistd.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "x11/ClockIcon.h"
#include "x11/XProperty.h"

namespace tavrino::x11 {

namespace {

constexpr unsigned kInitialPixels = 320;  // the program sets the real rectangle
constexpr int kMinimumPixels = 32;        // as the clock's own rule keeps it
constexpr long kOwnEvents = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            FocusChangeMask;
// A hack takes no input: the daemon owns it.
constexpr long kHackEvents = ExposureMask | StructureNotifyMask;

constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;

bool FitsProtocol(int coordinate) {
    return coordinate >= std::numeric_limits<short>::min() &&
           coordinate <= std::numeric_limits<short>::max();
}

}  // namespace

bool FitsCanvas(const Visual* visual, int depth) {
    return visual != nullptr && depth == 24 && visual->c_class == TrueColor &&
           visual->red_mask == kRedMask && visual->green_mask == kGreenMask &&
           visual->blue_mask == kBlueMask;
}

ClockWindow::ClockWindow(Display* display, const Atoms& atoms, const Screen& screen,
                         XErrors& errors)
    : display_(display),
      atoms_(atoms),
      screen_(screen),
      errors_(errors),
      root_(XDefaultRootWindow(display)),
      canvas_(display, errors),
      framePacer_(display),
      origin_(screen.RootOrigin()) {
    CreateWindow();
    if (window_ == 0) {
        return;
    }
    parent_ = root_;
    SetFixedProperties();
    canvas_.ShowIn(window_, visual_, depth_);
    canvas_.Resize(rect_.Width(), rect_.Height());
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(display, True, &detectable);
}

ClockWindow::~ClockWindow() {
    Destroy();
}

void ClockWindow::CreateWindow() {
    const int screen = XDefaultScreen(display_);
    XVisualInfo found{};
    if (FitsCanvas(XDefaultVisual(display_, screen), XDefaultDepth(display_, screen))) {
        visual_ = XDefaultVisual(display_, screen);
        depth_ = XDefaultDepth(display_, screen);
        colormap_ = XDefaultColormap(display_, screen);
    } else if (XMatchVisualInfo(display_, screen, 24, TrueColor, &found) != 0 &&
               FitsCanvas(found.visual, found.depth)) {
        visual_ = found.visual;
        depth_ = found.depth;
        colormap_ = XCreateColormap(display_, root_, visual_, AllocNone);
    } else {
        return;
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixel = 0;
    attributes.border_pixel = 0;
    attributes.colormap = colormap_;
    attributes.event_mask = kOwnEvents;
    window_ =
        XCreateWindow(display_, root_, 0, 0, kInitialPixels, kInitialPixels, 0, depth_, InputOutput,
                      visual_, CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &attributes);
}

void ClockWindow::SetFixedProperties() {
    XClassHint classHint{};
    std::string name = "tavrino";
    std::string className = "Tavrino";
    classHint.res_name = name.data();
    classHint.res_class = className.data();
    XSetClassHint(display_, window_, &classHint);
    Atom protocols[] = {atoms_.wmDeleteWindow};
    XSetWMProtocols(display_, window_, protocols, 1);
    WriteCardinals(display_, window_, atoms_.netWmPid, {static_cast<long>(getpid())});
    WriteCardinals(display_, window_, atoms_.netWmIcon, ClockIconItems());
    SetSizeHints();
}

// A blank pointer for the full screen: an empty 1x1 bitmap as its shape and mask. Made only when
// needed, since Xlib loads the cursor library and reads the user's resources for it.
Cursor ClockWindow::BlankCursor() {
    if (blankCursor_ == 0) {
        const Pixmap empty = XCreatePixmap(display_, window_, 1, 1, 1);
        XColor black{};
        blankCursor_ = XCreatePixmapCursor(display_, empty, empty, &black, &black, 0, 0);
        XFreePixmap(display_, empty);
    }
    return blankCursor_;
}

// The window keeps the place it is given, and 32 pixels at least when the user resizes it.
void ClockWindow::SetSizeHints() {
    XSizeHints hints{};
    hints.flags = PMinSize | USPosition | USSize | PWinGravity;
    hints.min_width = kMinimumPixels;
    hints.min_height = kMinimumPixels;
    hints.x = rect_.left + origin_.left;
    hints.y = rect_.top + origin_.top;
    hints.width = rect_.Width();
    hints.height = rect_.Height();
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(display_, window_, &hints);
}

void ClockWindow::Destroy() {
    canvas_.ShowIn(0, nullptr, 0);
    if (keyboardGrabbed_) {
        XUngrabKeyboard(display_, CurrentTime);
        keyboardGrabbed_ = false;
    }
    if (blankCursor_ != 0) {
        XFreeCursor(display_, blankCursor_);
        blankCursor_ = 0;
    }
    if (window_ != 0) {
        XDestroyWindow(display_, window_);
        window_ = 0;
    }
    if (colormap_ != 0 && colormap_ != XDefaultColormap(display_, XDefaultScreen(display_))) {
        XFreeColormap(display_, colormap_);
    }
    colormap_ = 0;
    XFlush(display_);
}

void ClockWindow::SetRect(const PixelRect& rect) {
    if (window_ == 0 || rect.Width() <= 0 || rect.Height() <= 0 || drawsInHost_) {
        return;
    }
    rect_ = rect;
    // A hidden window of the window manager's takes its rectangle when it is shown. Asked for
    // now, the request would go to the window manager, which may grant it only after the window
    // has left its hands, over the monitors or as a child in a hack's window, and size it back.
    if (!Managed() || visible_) {
        MoveResizeTo(rect);
    }
    if (!mapped_ && Managed()) {
        SetSizeHints();
    }
    TakeSize(rect.Width(), rect.Height());
}

void ClockWindow::MoveResizeTo(const PixelRect& rect) {
    const int x = rect.left + (host_ != 0 ? 0 : origin_.left);
    const int y = rect.top + (host_ != 0 ? 0 : origin_.top);
    const auto width = static_cast<unsigned>(rect.Width());
    const auto height = static_cast<unsigned>(rect.Height());
    // A place beyond the protocol's 16 bits (out of sight while hidden) keeps only the size.
    if (FitsProtocol(x) && FitsProtocol(y)) {
        XMoveResizeWindow(display_, window_, x, y, width, height);
    } else {
        XResizeWindow(display_, window_, width, height);
    }
}

void ClockWindow::TakeSize(int width, int height) {
    const ImageBuffer pixels = canvas_.Pixels();
    if (pixels.width == width && pixels.height == height) {
        return;
    }
    canvas_.Resize(width, height);
    if (events_ != nullptr) {
        events_->OnResize();
    }
}

void ClockWindow::Show() {
    if (window_ == 0 || drawsInHost_) {
        visible_ = true;
        return;
    }
    visible_ = true;
    if (host_ != 0) {
        XMapWindow(display_, window_);
    } else if (fullScreen_) {
        ShowFullScreen();
    } else {
        SetRect(rect_);
        WriteWmState();
        XMapRaised(display_, window_);
    }
    XFlush(display_);
}

// No window manager places or decorates it; it is raised over everything and takes the keys.
void ClockWindow::ShowFullScreen() {
    XMoveResizeWindow(display_, window_, rect_.left + origin_.left, rect_.top + origin_.top,
                      static_cast<unsigned>(rect_.Width()), static_cast<unsigned>(rect_.Height()));
    XMapRaised(display_, window_);
    XSync(display_, False);
    GrabKeyboard();
}

void ClockWindow::GrabKeyboard() {
    if (!fullScreen_ || keyboardGrabbed_ || !visible_) {
        return;
    }
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    keyboardGrabbed_ = XGrabKeyboard(display_, window_, True, GrabModeAsync, GrabModeAsync,
                                     CurrentTime) == GrabSuccess;
}

void ClockWindow::Hide() {
    visible_ = false;
    if (window_ == 0 || drawsInHost_) {
        return;
    }
    if (host_ != 0 || fullScreen_) {
        XUnmapWindow(display_, window_);
    } else {
        XWithdrawWindow(display_, window_, XDefaultScreen(display_));
    }
    XFlush(display_);
}

// Only a focus that is ours already, or nobody's, moves to the clock.
void ClockWindow::Focus() {
    if (window_ == 0 || !mapped_ || host_ != 0) {
        return;
    }
    XWindow focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    const bool ours = focus == window_ || focus == parent_;
    if (ours || focus == PointerRoot || focus == 0 || focus == root_) {
        XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    }
}

void ClockWindow::SetTitle(std::string_view title) {
    if (window_ == 0) {
        return;
    }
    const std::string text(title);
    XStoreName(display_, window_, text.c_str());
    WriteUtf8(display_, window_, atoms_.netWmName, atoms_.utf8String, title);
}

// Seen from the root window, whichever window is the parent, in the seam's coordinates: the
// host's place where the face is drawn in the host itself.
PixelRect ClockWindow::ScreenRect() const {
    const XWindow shown = drawsInHost_ ? host_ : window_;
    int x = 0;
    int y = 0;
    XWindow child = 0;
    if (shown == 0 || XTranslateCoordinates(display_, shown, root_, 0, 0, &x, &y, &child) == 0) {
        return rect_;
    }
    const int left = x - origin_.left;
    const int top = y - origin_.top;
    return {left, top, left + rect_.Width(), top + rect_.Height()};
}

// StructureNotify and Expose on the host say when it changes size, goes away or needs the face
// again; they take no input from the daemon. A host that is gone by the time it is asked about
// after that is no host. A window that does not exist at all is reported; once it has, its
// going is expected at any moment.
bool ClockWindow::AttachToHost(HostWindowId host) {
    if (window_ == 0 || host <= 0 || host > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const auto hostWindow = static_cast<XWindow>(host);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, hostWindow, &attributes) == 0) {
        return false;
    }
    errors_.ExpectVanishing(hostWindow);
    XSelectInput(display_, hostWindow, kHackEvents);
    if (XGetWindowAttributes(display_, hostWindow, &attributes) == 0) {
        return false;
    }
    host_ = hostWindow;
    if (FitsCanvas(attributes.visual, attributes.depth)) {
        DrawInHost(hostWindow, attributes);
    } else {
        DrawInChildOf(hostWindow, attributes);
    }
    visible_ = true;
    XFlush(display_);
    return true;
}

void ClockWindow::DrawInHost(XWindow host, const XWindowAttributes& attributes) {
    drawsInHost_ = true;
    rect_ = {0, 0, attributes.width, attributes.height};
    canvas_.ShowIn(host, attributes.visual, attributes.depth);
    TakeSize(attributes.width, attributes.height);
}

// The child goes with the host.
void ClockWindow::DrawInChildOf(XWindow host, const XWindowAttributes& attributes) {
    errors_.ExpectVanishing(window_);
    XSelectInput(display_, window_, kHackEvents);
    XReparentWindow(display_, window_, host, 0, 0);
    parent_ = host;
    SetRect({0, 0, attributes.width, attributes.height});
    XMapWindow(display_, window_);
}

}  // namespace tavrino::x11
