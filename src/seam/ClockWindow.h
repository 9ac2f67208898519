// The clock window: a borderless window whose client area shows the clock face, on the desktop,
// full screen, or inside a host window the program did not create (a screensaver preview).
#pragma once

#include "seam/Window.h"

namespace tavrino {

enum class WindowState { Normal, Minimised, Maximised };

// The keys the clock tells apart; every other key is Other.
enum class Key { Escape, F1, F4, Other };

struct KeyPress {
    Key key = Key::Other;
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool repeat = false;  // sent again because the key is held down

    bool NoModifiers() const { return !shift && !control && !alt; }
};

// The pointer over the window's client area, in pixels from its top left corner.
struct PointerMove {
    int x = 0;
    int y = 0;
    bool left = false;
    bool right = false;
    bool middle = false;

    bool NoButton() const { return !left && !right && !middle; }
};

class ClockWindow : public Window {
  public:
    virtual WindowState State() const = 0;
    // A minimised or maximised window returns to its normal size; a hidden one when it is shown.
    virtual void Restore() = 0;

    // The title bar goes, the sizing border stays (the desktop clock).
    virtual void HideTitleBar() = 0;
    // No border at all (full screen and preview).
    virtual void RemoveBorder() = 0;
    virtual void ShowTaskbarButton(bool show) = 0;

    // Whether the window can be made see-through on this system.
    virtual bool TranslucencyAvailable() const = 0;
    // amount 0 (opaque) to 255 (invisible); a value outside that changes nothing.
    virtual void SetTranslucency(int amount) = 0;
    // Returns once the screen has shown the window as it is now: at the next displayed frame, so
    // a fade shows each of its steps.
    virtual void WaitForNextFrame() = 0;

    // Makes the window a child filling the host's client area, shown without taking the focus.
    // False, and nothing changes, when there is no such window.
    virtual bool AttachToHost(HostWindowId host) = 0;
    // The window's outer edges on the screen, also while it is attached to a host.
    virtual PixelRect ScreenRect() const = 0;

    // Shows or hides the pointer while it is over the program's windows.
    virtual void SetPointerVisible(bool visible) = 0;
};

// What the clock window reports to the program.
class ClockWindowEvents {
  public:
    virtual ~ClockWindowEvents() = default;
    virtual void OnFocus() = 0;
    virtual void OnResize() = 0;
    virtual void OnKey(const KeyPress& key) = 0;
    // A press and release of the left button.
    virtual void OnClick() = 0;
    virtual void OnPointerMove(const PointerMove& move) = 0;
    // The user, the window manager or the end of the session closes the window.
    virtual void OnClose() = 0;
    // The host window went away, its program ended or stopped responding: the clock is no longer
    // seen there.
    virtual void OnHostGone() = 0;
    // Monitors were added, removed, resized or moved.
    virtual void OnMonitorsChanged() = 0;
    // Another program took the activation from this one (the user switched to it, or it came up
    // on its own).
    virtual void OnOtherProgramActivated() = 0;

  protected:
    ClockWindowEvents() = default;
    ClockWindowEvents(const ClockWindowEvents&) = default;
    ClockWindowEvents& operator=(const ClockWindowEvents&) = default;
};

}  // namespace tavrino
