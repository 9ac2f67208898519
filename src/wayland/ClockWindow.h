// The clock window on Wayland, for the full-screen screensaver and the display module (surfaces
// under everything that take no input; the module is attached to the desk they cover, and its
// rectangle follows the canvas): a layer surface on every output
// (Output) showing its part of one stacked canvas (StackedCanvas), so that the program's faces,
// one per monitor, land one per output. Outputs that come or go while it runs, or change place,
// scale or size, lay the canvas out anew and are reported as a change of the monitors. The seat's
// keys and buttons go to the program; so does the keyboard leaving the clock for another client
// (a locker), as the activation of another program, except while the program's own dialog is shown,
// which takes the keys then. The rectangle is the program's own: the
// compositor decides where the surfaces go. There are no title bar, border, taskbar button or
// translucency, and no host window to be attached to.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "wayland/Connection.h"
#include "wayland/FrontendWindow.h"
#include "wayland/Output.h"
#include "wayland/PointerCursor.h"
#include "wayland/Seat.h"
#include "wayland/StackedCanvas.h"
#include "wayland/WaylandEventSource.h"

namespace tavrino::wayland {

class ClockWindow final : public FrontendWindow {
  public:
    // ownDialogShown: whether the settings dialog is shown now.
    ClockWindow(Connection& connection, WaylandEventSource& source, SurfaceKind kind,
                std::function<bool()> ownDialogShown);
    ClockWindow(const ClockWindow&) = delete;
    ClockWindow& operator=(const ClockWindow&) = delete;
    ~ClockWindow() override;

    void SetEvents(ClockWindowEvents& events) override { events_ = &events; }
    void DisconnectEvents() override { events_ = nullptr; }
    // Also sizes the outputs' surfaces and lays the canvas out for them.
    void AwaitOutputs() override;
    void Destroy() override;
    Canvas& FaceCanvas() override { return canvas_; }
    // The outputs' parts of the canvas, in its pixels.
    std::vector<PixelRect> Monitors() const override { return canvas_.Stack().Areas(); }
    // The primary output's.
    int DialogOutputIndex() const override;

    PixelRect Rect() const override { return rect_; }
    void SetRect(const PixelRect& rect) override { rect_ = rect; }
    bool Visible() const override { return visible_; }
    void Show() override;
    void Hide() override { visible_ = false; }
    void Focus() override {}
    void SetTitle(std::string_view /*title*/) override {}
    void SetOnTop(bool /*onTop*/) override {}

    WindowState State() const override { return WindowState::Normal; }
    void Restore() override {}
    void HideTitleBar() override {}
    void RemoveBorder() override {}
    void ShowTaskbarButton(bool /*show*/) override {}
    bool TranslucencyAvailable() const override { return false; }
    void SetTranslucency(int /*amount*/) override {}
    void WaitForNextFrame() override {}
    // Only the module's surfaces have a host: the desk.
    bool AttachToHost(HostWindowId host) override;
    PixelRect ScreenRect() const override { return rect_; }
    // The program shows the pointer over the screensaver exactly while its settings dialog is up:
    // the surfaces then make way for the dialog, and the theme's arrow shows over them.
    void SetPointerVisible(bool visible) override;

  private:
    void AddOutput(std::uint32_t name, std::uint32_t version);
    void RemoveOutput(std::uint32_t name);
    void OnKeyboardLeft(ClockWindowEvents& events, bool refocusDue);
    void AwaitRefocus();
    static void OnRefocusSynced(void* data, wl_callback* sync, std::uint32_t serial);
    static const wl_callback_listener kRefocusSyncListener;
    void OutputChanged();
    void Relayout();
    bool Ours(wl_surface* surface) const;
    void OnPointerMoved(wl_surface* surface, double x, double y);
    bool Commit(std::uint32_t id, wl_buffer* buffer, int width, int height,
                const PixelRect& damage);
    // The program's part of an event, once the dispatch is over.
    void Report(std::function<void(ClockWindowEvents&)> report);

    Connection& connection_;
    WaylandEventSource& source_;
    std::map<std::uint32_t, std::unique_ptr<Output>> outputs_;
    PointerCursor cursor_;
    StackedCanvas canvas_;
    Seat seat_;
    ClockWindowEvents* events_ = nullptr;
    SurfaceKind kind_;
    std::function<bool()> ownDialogShown_;
    bool attached_ = false;
    PixelRect rect_{0, 0, 320, 320};
    bool visible_ = false;
    bool pointerShown_ = false;
    bool relayoutPosted_ = false;
    bool destroyed_ = false;
    // Syncs sent after a surface was mapped or lost, until the compositor answers them.
    std::vector<Proxy<wl_callback>> refocusSyncs_;
};

}  // namespace tavrino::wayland
