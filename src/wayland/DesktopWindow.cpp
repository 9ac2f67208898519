#include "wayland/DesktopWindow.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "program/WindowPlacement.h"

namespace tavrino::wayland {

namespace {

constexpr int kMostRoundTrips = 5;
constexpr int kOpaque = 255;
// A frame the compositor does not draw (the clock under a window) does not hold a fade up longer.
constexpr int kLongestFrameWaitMs = 50;

bool Sized(const PixelRect& rect) {
    return rect.Width() > 0 && rect.Height() > 0;
}

}  // namespace

DesktopWindow::DesktopWindow(Connection& connection, WaylandEventSource& source)
    : connection_(connection),
      source_(source),
      canvas_(connection.SharedMemory(),
              [this](wl_buffer* buffer, const PixelRect& damage) {
                  return CommitBuffer(buffer, damage);
              }),
      cursor_(connection),
      seat_(connection.Seat(),
            {[this](wl_surface* surface) {
                 return surface_.has_value() && surface == surface_->Surface();
             },
             [this](const KeyPress& key) {
                 Report([key](ClockWindowEvents& events) { events.OnKey(key); });
             },
             [] {}, [this](std::uint32_t button, bool pressed) { OnButton(button, pressed); },
             [this](wl_surface* /*surface*/, double x, double y) { OnPointerMoved(x, y); },
             [this](wl_pointer* pointer, std::uint32_t serial) {
                 cursor_.ShowOn(pointer, serial);
             }}) {
    connection_.SetOutputListener(
        {[this](std::uint32_t name, std::uint32_t version) { AddOutput(name, version); },
         [this](std::uint32_t name) { RemoveOutput(name); }});
}

DesktopWindow::~DesktopWindow() {
    connection_.SetOutputListener({});
}

void DesktopWindow::AwaitOutputs() {
    const auto known = [this] {
        return !outputs_.empty() &&
               std::all_of(outputs_.begin(), outputs_.end(),
                           [](const auto& output) { return Sized(output.second->LogicalRect()); });
    };
    for (int trip = 0; trip < kMostRoundTrips && !known(); ++trip) {
        if (wl_display_roundtrip(connection_.Display()) < 0) {
            break;
        }
    }
    source_.RunPosted();
}

void DesktopWindow::Destroy() {
    destroyed_ = true;
    surface_.reset();
    outputs_.clear();
    wl_display_flush(connection_.Display());
}

void DesktopWindow::AddOutput(std::uint32_t name, std::uint32_t version) {
    if (destroyed_) {
        return;
    }
    outputs_[name] = std::make_unique<Output>(
        connection_, name, version, SurfaceKind::None,
        [this] { Report([](ClockWindowEvents& events) { events.OnMonitorsChanged(); }); });
}

// The compositor closes the surface of an output that goes; the clock comes back on another.
void DesktopWindow::RemoveOutput(std::uint32_t name) {
    outputs_.erase(name);
    if (name == surfaceOutput_ && surface_) {
        OnSurfaceClosed();
    }
    Report([](ClockWindowEvents& events) { events.OnMonitorsChanged(); });
}

DeskLayout DesktopWindow::Desk() const {
    std::vector<DeskOutput> outputs;
    outputs.reserve(outputs_.size());
    for (const auto& [name, output] : outputs_) {
        outputs.push_back({name, output->LogicalRect()});
    }
    return DeskLayout(outputs);
}

const Output* DesktopWindow::OutputNamed(std::optional<std::uint32_t> name) const {
    const auto found = name ? outputs_.find(*name) : outputs_.end();
    return found == outputs_.end() ? nullptr : found->second.get();
}

std::vector<PixelRect> DesktopWindow::Monitors() const {
    return Desk().Monitors();
}

int DesktopWindow::DialogOutputIndex() const {
    const std::optional<std::uint32_t> primary = Desk().Primary();
    auto found = outputs_.find(surfaceOutput_);
    if (found == outputs_.end() && primary) {
        found = outputs_.find(*primary);
    }
    return found == outputs_.end() ? -1 : static_cast<int>(std::distance(outputs_.begin(), found));
}

void DesktopWindow::SetRect(const PixelRect& rect) {
    rect_ = rect;
    FitCanvas();
    if (!visible_) {
        return;
    }
    const Output* holder = OutputNamed(Desk().Holding(rect_));
    if (holder != nullptr && holder->Name() != surfaceOutput_) {
        ShowOn(*holder);
    } else if (surface_) {
        PlaceSurface();
    }
}

// The canvas is the rectangle at its output's scale; a new size is a resize for the program.
void DesktopWindow::FitCanvas() {
    const Output* holder = OutputNamed(Desk().OutputFor(rect_));
    scale_ = holder != nullptr ? holder->IntegerScale() : 1;
    const int width = rect_.Width() * scale_;
    const int height = rect_.Height() * scale_;
    if (width == canvas_.Width() && height == canvas_.Height()) {
        return;
    }
    canvas_.Resize(width, height);
    Report([](ClockWindowEvents& events) { events.OnResize(); });
}

void DesktopWindow::Show() {
    if (visible_) {
        return;
    }
    visible_ = true;
    if (const Output* holder = OutputNamed(Desk().OutputFor(rect_))) {
        ShowOn(*holder);
    }
}

void DesktopWindow::Hide() {
    visible_ = false;
    surface_.reset();
    surfaceOutput_ = 0;
    wl_display_flush(connection_.Display());
}

void DesktopWindow::ShowOn(const Output& output) {
    surface_.reset();
    surface_.emplace(
        connection_, output.Handle(), onTop_, [this] { canvas_.ShowAll(); },
        [this, shown = ++surfacesShown_] {
            // The output's removal may have put the clock on another surface meanwhile.
            source_.Post([this, shown] {
                if (shown == surfacesShown_) {
                    OnSurfaceClosed();
                }
            });
        });
    surfaceOutput_ = output.Name();
    pressedOnSurface_ = false;
    FitCanvas();
    PlaceSurface();
}

void DesktopWindow::PlaceSurface() {
    if (outputs_.count(surfaceOutput_) == 0) {
        return;
    }
    surface_->Place(Desk().OnOutput(rect_, surfaceOutput_));
    placed_ = rect_;
    wl_display_flush(connection_.Display());
}

bool DesktopWindow::CommitBuffer(wl_buffer* buffer, const PixelRect& damage) {
    return surface_.has_value() && surface_->Commit(buffer, scale_, damage);
}

// The clock stays on the desk: where its middle is on no output any more, it goes onto the
// primary one.
void DesktopWindow::OnSurfaceClosed() {
    surface_.reset();
    surfaceOutput_ = 0;
    const DeskLayout desk = Desk();
    if (!visible_ || destroyed_ || !desk.Primary()) {
        return;
    }
    rect_ = desk.KeptOnDesk(rect_);
    ShowOn(*OutputNamed(desk.OutputFor(rect_)));
}

void DesktopWindow::SetOnTop(bool onTop) {
    onTop_ = onTop;
    if (surface_) {
        surface_->SetOnTop(onTop);
        wl_display_flush(connection_.Display());
    }
}

void DesktopWindow::SetTranslucency(int amount) {
    if (amount >= 0 && amount <= kOpaque) {
        canvas_.SetOpacity(kOpaque - amount);
        wl_display_flush(connection_.Display());
    }
}

void DesktopWindow::WaitForNextFrame() {
    if (surface_) {
        source_.DispatchUntil([this] { return !surface_ || !surface_->FrameDue(); },
                              kLongestFrameWaitMs);
    }
}

void DesktopWindow::OnButton(std::uint32_t button, bool pressed) {
    if (button != BTN_LEFT) {
        return;
    }
    if (!pressed) {
        const bool clicked = leftDown_;
        leftDown_ = false;
        resize_.reset();
        if (clicked) {
            Report([](ClockWindowEvents& events) { events.OnClick(); });
        }
        return;
    }
    const int x = static_cast<int>(std::floor(pointerX_));
    const int y = static_cast<int>(std::floor(pointerY_));
    const GrabbedEdges edges = EdgesAt(x, y, rect_.Width(), rect_.Height());
    pressedAt_ = placed_;
    pressedOnSurface_ = true;
    if (edges.Any()) {
        resize_ = ResizeGrab{rect_, edges, placed_.left + x, placed_.top + y};
    } else {
        leftDown_ = true;
    }
}

void DesktopWindow::OnPointerMoved(double x, double y) {
    pointerX_ = x;
    pointerY_ = y;
    // While the button that went down on this surface is held, sway keeps giving the places from
    // where the surface was at the press, however it moved since. A drag that took the clock onto
    // another output goes on over the new surface, which the press never reached.
    const bool held = (leftDown_ || resize_) && pressedOnSurface_;
    const PixelRect& from = held ? pressedAt_ : placed_;
    const int deskX = from.left + static_cast<int>(std::lround(x));
    const int deskY = from.top + static_cast<int>(std::lround(y));
    if (resize_) {
        SetRect(Resized(resize_->start, resize_->edges, deskX - resize_->x, deskY - resize_->y,
                        kMinimumWindowPixels));
        return;
    }
    // From the window's place when the program takes the move: it may have moved for the moves
    // before this one in the same batch.
    const bool left = leftDown_;
    Report([this, deskX, deskY, left](ClockWindowEvents& events) {
        PointerMove move;
        move.x = deskX - rect_.left;
        move.y = deskY - rect_.top;
        move.left = left;
        events.OnPointerMove(move);
    });
}

void DesktopWindow::Report(std::function<void(ClockWindowEvents&)> report) {
    source_.Post([this, report = std::move(report)] {
        if (events_ != nullptr) {
            report(*events_);
        }
    });
}

}  // namespace tavrino::wayland
