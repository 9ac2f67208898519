// The desktop clock on Wayland: one layer surface (DesktopSurface) on the output that holds the
// middle of its rectangle, placed there by its margins. The rectangle is on the desk in logical
// units with the primary output's corner at 0,0 (the top-left-most output: Wayland names no
// primary), the same place a stored rectangle has on X11; the face is drawn at that size times the
// output's scale. The program's drag moves the surface, and one that takes the middle onto another
// output moves it there; a press in the band along the edges resizes it here, since the
// compositor resizes no layer surfaces. Translucency is always there: the buffers carry alpha.
// A layer surface has no title, taskbar button or window state, and takes the keys only after a
// click on it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "wayland/Connection.h"
#include "wayland/DeskLayout.h"
#include "wayland/DesktopCanvas.h"
#include "wayland/DesktopSurface.h"
#include "wayland/EdgeResize.h"
#include "wayland/FrontendWindow.h"
#include "wayland/Output.h"
#include "wayland/PointerCursor.h"
#include "wayland/Seat.h"
#include "wayland/WaylandEventSource.h"

namespace tavrino::wayland {

class DesktopWindow final : public FrontendWindow {
  public:
    DesktopWindow(Connection& connection, WaylandEventSource& source);
    DesktopWindow(const DesktopWindow&) = delete;
    DesktopWindow& operator=(const DesktopWindow&) = delete;
    ~DesktopWindow() override;

    void SetEvents(ClockWindowEvents& events) override { events_ = &events; }
    void DisconnectEvents() override { events_ = nullptr; }
    void AwaitOutputs() override;
    void Destroy() override;
    Canvas& FaceCanvas() override { return canvas_; }
    // The outputs on the desk, in logical units.
    std::vector<PixelRect> Monitors() const override;
    // The clock's output.
    int DialogOutputIndex() const override;

    PixelRect Rect() const override { return rect_; }
    void SetRect(const PixelRect& rect) override;
    bool Visible() const override { return visible_; }
    void Show() override;
    void Hide() override;
    void Focus() override {}
    void SetTitle(std::string_view /*title*/) override {}
    void SetOnTop(bool onTop) override;

    WindowState State() const override { return WindowState::Normal; }
    void Restore() override {}
    void HideTitleBar() override {}
    void RemoveBorder() override {}
    void ShowTaskbarButton(bool /*show*/) override {}
    bool TranslucencyAvailable() const override { return true; }
    void SetTranslucency(int amount) override;
    void WaitForNextFrame() override;
    bool AttachToHost(HostWindowId /*host*/) override { return false; }
    PixelRect ScreenRect() const override { return rect_; }
    void SetPointerVisible(bool /*visible*/) override {}

  private:
    struct ResizeGrab {
        PixelRect start;
        GrabbedEdges edges;
        int x = 0;  // the press, on the desk
        int y = 0;
    };

    void AddOutput(std::uint32_t name, std::uint32_t version);
    void RemoveOutput(std::uint32_t name);
    DeskLayout Desk() const;
    const Output* OutputNamed(std::optional<std::uint32_t> name) const;
    void ShowOn(const Output& output);
    void PlaceSurface();
    void FitCanvas();
    bool CommitBuffer(wl_buffer* buffer, const PixelRect& damage);
    void OnSurfaceClosed();
    void OnButton(std::uint32_t button, bool pressed);
    void OnPointerMoved(double x, double y);
    void Report(std::function<void(ClockWindowEvents&)> report);

    Connection& connection_;
    WaylandEventSource& source_;
    std::map<std::uint32_t, std::unique_ptr<Output>> outputs_;
    DesktopCanvas canvas_;
    PointerCursor cursor_;
    Seat seat_;
    ClockWindowEvents* events_ = nullptr;
    std::optional<DesktopSurface> surface_;
    std::uint32_t surfaceOutput_ = 0;
    int surfacesShown_ = 0;  // counts the surfaces made, naming the one there is now
    int scale_ = 1;
    PixelRect rect_{0, 0, 320, 320};
    bool visible_ = false;
    bool onTop_ = false;
    bool destroyed_ = false;
    PixelRect placed_{};             // where the surface was put last
    PixelRect pressedAt_{};          // where it was when the left button went down
    bool pressedOnSurface_ = false;  // the button went down on the surface there is now
    double pointerX_ = 0;            // the latest, on the surface
    double pointerY_ = 0;
    bool leftDown_ = false;
    std::optional<ResizeGrab> resize_;
};

}  // namespace tavrino::wayland
