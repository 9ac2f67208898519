// The clock window on X: a top-level window of our own on a 24-bit TrueColor visual, showing the
// face's canvas. On the desktop it has no decorations (_MOTIF_WM_HINTS), moves by the program's
// own drag and resizes by a band along its edges, through the window manager
// (_NET_WM_MOVERESIZE). Full screen it is an override-redirect window over every monitor that
// holds the keyboard. As a display hack it draws into the daemon's window (or the root window)
// itself, or through a child of its own when that window's visual is not one it can draw in, and
// never takes input there. Rectangles are in the seam's coordinates, with the primary monitor's
// corner at 0,0; the window keeps the rectangle asked for and learns the window manager's answers
// from ConfigureNotify; hidden on the desktop, it asks for that rectangle only when shown. The
// daemon's window, and a child of ours in it, may vanish at any time: their errors are expected,
// not reported. Its requests on the window manager's state are in ClockWindowState.cpp, its events
// in ClockWindowInput.cpp.
#pragma once

#include <optional>
#include <set>

#include "seam/ClockWindow.h"
#include "x11/Connection.h"
#include "x11/FramePacer.h"
#include "x11/Screen.h"
#include "x11/ShmCanvas.h"
#include "x11/XErrors.h"

namespace tavrino::x11 {

// Whether the canvas's pixels (0x00RRGGBB in 32 bits) suit a window of this visual and depth.
bool FitsCanvas(const Visual* visual, int depth);

class ClockWindow final : public tavrino::ClockWindow {
  public:
    // Creates the window unmapped; it raises no events until SetEvents.
    ClockWindow(Display* display, const Atoms& atoms, const Screen& screen, XErrors& errors);
    ClockWindow(const ClockWindow&) = delete;
    ClockWindow& operator=(const ClockWindow&) = delete;
    ~ClockWindow() override;

    void SetEvents(ClockWindowEvents& events) { events_ = &events; }
    void DisconnectEvents() { events_ = nullptr; }
    // Handles an event of the clock's windows or its host; false for any other event.
    bool OnEvent(XEvent& event);
    // The monitors changed: the seam's origin may have moved on the root window.
    void OnMonitorsChanged();
    // Destroys the window now (the end of the process).
    void Destroy();

    XWindow Handle() const { return window_; }
    ShmCanvas& FaceCanvas() { return canvas_; }

    PixelRect Rect() const override { return rect_; }
    void SetRect(const PixelRect& rect) override;
    bool Visible() const override { return visible_; }
    void Show() override;
    void Hide() override;
    void Focus() override;
    void SetTitle(std::string_view title) override;
    void SetOnTop(bool onTop) override;

    WindowState State() const override;
    void Restore() override;
    void HideTitleBar() override;
    void RemoveBorder() override;
    void ShowTaskbarButton(bool show) override;
    bool TranslucencyAvailable() const override;
    void SetTranslucency(int amount) override;
    void WaitForNextFrame() override { framePacer_.WaitForNextFrame(); }
    bool AttachToHost(HostWindowId host) override;
    PixelRect ScreenRect() const override;
    void SetPointerVisible(bool visible) override;

  private:
    void CreateWindow();
    void SetFixedProperties();
    Cursor BlankCursor();
    void SetSizeHints();
    void MoveResizeTo(const PixelRect& rect);
    void ShowFullScreen();
    bool Managed() const { return !fullScreen_ && host_ == 0; }
    // The window manager's state of a managed window: asked of it once mapped, else set on the
    // window for its first map.
    void ChangeWmState(Atom state, bool on);
    void WriteWmState();
    XWindow FrameWindow() const;
    void DrawInHost(XWindow host, const XWindowAttributes& attributes);
    void DrawInChildOf(XWindow host, const XWindowAttributes& attributes);
    // The canvas follows a new size of the window it is shown in, and the program is told.
    void TakeSize(int width, int height);

    // ClockWindowInput.cpp
    void OnKey(const XKeyEvent& event);
    void OnButtonPress(const XButtonEvent& event);
    void OnButtonRelease(const XButtonEvent& event);
    void OnMotion(const XMotionEvent& event);
    void OnFocusIn(const XFocusChangeEvent& event);
    void OnFocusOut(const XFocusChangeEvent& event);
    void OnConfigure(const XConfigureEvent& event);
    void OnHostEvent(const XEvent& event);
    void OnClientMessage(const XClientMessageEvent& event);
    bool StartEdgeResize(const XButtonEvent& event);
    void GrabKeyboard();

    Display* display_;
    const Atoms& atoms_;
    const Screen& screen_;
    XErrors& errors_;
    XWindow root_;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    Colormap colormap_ = 0;  // our own when the default visual does not fit
    XWindow window_ = 0;
    XWindow parent_ = 0;  // the window manager's frame, or the root
    Cursor blankCursor_ = 0;
    ShmCanvas canvas_;
    FramePacer framePacer_;
    ClockWindowEvents* events_ = nullptr;

    PixelRect rect_{0, 0, 320, 320};
    PixelRect origin_{};  // the primary monitor on the root window
    bool visible_ = false;
    bool mapped_ = false;
    bool fullScreen_ = false;
    bool decorated_ = true;
    bool onTop_ = false;
    bool taskbarButton_ = true;
    bool pointerHidden_ = false;
    bool keyboardGrabbed_ = false;
    bool leftPressed_ = false;
    XWindow host_ = 0;  // the hack's window, once attached
    bool drawsInHost_ = false;
    std::set<unsigned> keysDown_;
};

}  // namespace tavrino::x11
