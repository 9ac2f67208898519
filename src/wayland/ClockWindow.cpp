#include "wayland/ClockWindow.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

namespace tavrino::wayland {

namespace {

// The compositor answers the outputs' and surfaces' first requests within a few round trips.
constexpr int kMostRoundTrips = 5;

}  // namespace

ClockWindow::ClockWindow(Connection& connection, WaylandEventSource& source, SurfaceKind kind,
                         std::function<bool()> ownDialogShown)
    : connection_(connection),
      source_(source),
      cursor_(connection),
      canvas_(
          connection.SharedMemory(),
          [this](std::uint32_t id, wl_buffer* buffer, int width, int height,
                 const PixelRect& damage) { return Commit(id, buffer, width, height, damage); }),
      seat_(connection.Seat(),
            {[this](wl_surface* surface) { return Ours(surface); },
             [this](const KeyPress& key) {
                 Report([key](ClockWindowEvents& events) { events.OnKey(key); });
             },
             [this] {
                 const bool refocusDue = !refocusSyncs_.empty();
                 Report([this, refocusDue](ClockWindowEvents& events) {
                     OnKeyboardLeft(events, refocusDue);
                 });
             },
             [this](std::uint32_t /*button*/, bool pressed) {
                 if (pressed) {
                     Report([](ClockWindowEvents& events) { events.OnClick(); });
                 }
             },
             [this](wl_surface* surface, double x, double y) { OnPointerMoved(surface, x, y); },
             [this](wl_pointer* pointer, std::uint32_t serial) {
                 cursor_.ShowOn(pointer, serial, pointerShown_);
             }}),
      kind_(kind),
      ownDialogShown_(std::move(ownDialogShown)) {
    connection_.SetOutputListener(
        {[this](std::uint32_t name, std::uint32_t version) { AddOutput(name, version); },
         [this](std::uint32_t name) { RemoveOutput(name); }});
}

// The connection outlives the window.
ClockWindow::~ClockWindow() {
    connection_.SetOutputListener({});
}

void ClockWindow::AwaitOutputs() {
    const auto sized = [this] {
        for (const auto& [name, output] : outputs_) {
            if (output->Place().pixelWidth == 0 && output->Surface() != nullptr) {
                return false;
            }
        }
        return true;
    };
    for (int trip = 0; trip < kMostRoundTrips && !(sized() && !outputs_.empty()); ++trip) {
        if (wl_display_roundtrip(connection_.Display()) < 0) {
            break;
        }
    }
    source_.RunPosted();
}

void ClockWindow::Destroy() {
    destroyed_ = true;
    canvas_.Relayout({});
    outputs_.clear();
    wl_display_flush(connection_.Display());
}

void ClockWindow::AddOutput(std::uint32_t name, std::uint32_t version) {
    if (destroyed_) {
        return;
    }
    outputs_[name] =
        std::make_unique<Output>(connection_, name, version, kind_, [this] { OutputChanged(); });
    AwaitRefocus();
}

void ClockWindow::RemoveOutput(std::uint32_t name) {
    if (outputs_.erase(name) > 0) {
        AwaitRefocus();
        OutputChanged();
    }
}

// Run after the whole batch of events. A keyboard that went away with its device takes nothing.
// One that moved to another of the clock's surfaces, or back to the same one, did so on its own
// only while the compositor had yet to answer for a surface the clock mapped or lost; at any other
// time another program took the keys, as a locker does: sway 1.7 first moves them back to one of
// ours before the locker has them. While the settings dialog is shown the keys went to it: the
// compositor does not say which client has them.
void ClockWindow::OnKeyboardLeft(ClockWindowEvents& events, bool refocusDue) {
    if (!seat_.HasKeyboard() || ownDialogShown_()) {
        return;
    }
    if (!seat_.KeyboardOnOurs() || !refocusDue) {
        events.OnOtherProgramActivated();
    }
}

const wl_callback_listener ClockWindow::kRefocusSyncListener{&ClockWindow::OnRefocusSynced};

// The compositor answers a sync once it has handled every request before it, focus changes
// included.
void ClockWindow::AwaitRefocus() {
    wl_callback* sync = wl_display_sync(connection_.Display());
    wl_callback_add_listener(sync, &kRefocusSyncListener, this);
    refocusSyncs_.emplace_back(sync);
}

void ClockWindow::OnRefocusSynced(void* data, wl_callback* sync, std::uint32_t /*serial*/) {
    auto& syncs = static_cast<ClockWindow*>(data)->refocusSyncs_;
    syncs.erase(std::find_if(syncs.begin(), syncs.end(), [sync](const Proxy<wl_callback>& kept) {
        return kept.get() == sync;
    }));
}

void ClockWindow::OutputChanged() {
    if (relayoutPosted_ || destroyed_) {
        return;
    }
    relayoutPosted_ = true;
    source_.Post([this] { Relayout(); });
}

void ClockWindow::Relayout() {
    relayoutPosted_ = false;
    std::vector<OutputPlace> places;
    for (const auto& [name, output] : outputs_) {
        places.push_back(output->Place());
    }
    const OutputStack stack = StackOutputs(places);
    if (stack == canvas_.Stack()) {
        return;
    }
    canvas_.Relayout(stack);
    if (attached_) {
        rect_ = {0, 0, stack.width, stack.height};
    }
    // The canvas is a new size, black: a resize, which also redraws a face still loading.
    if (events_ != nullptr) {
        events_->OnMonitorsChanged();
        events_->OnResize();
    }
}

void ClockWindow::SetPointerVisible(bool visible) {
    if (kind_ == SurfaceKind::Background) {
        return;  // under the locker's surfaces, with no keys anyway
    }
    pointerShown_ = visible;
    for (const auto& [name, output] : outputs_) {
        output->MakeWayForDialog(visible);
    }
    seat_.RefreshCursor();
    wl_display_flush(connection_.Display());
}

int ClockWindow::DialogOutputIndex() const {
    if (canvas_.Stack().outputs.empty()) {
        return -1;
    }
    const std::uint32_t primary = canvas_.Stack().outputs.front().id;
    const auto found = outputs_.find(primary);
    return found == outputs_.end() ? -1 : static_cast<int>(std::distance(outputs_.begin(), found));
}

bool ClockWindow::AttachToHost(HostWindowId host) {
    attached_ = host != 0 && kind_ == SurfaceKind::Background;
    if (attached_) {
        rect_ = {0, 0, canvas_.Stack().width, canvas_.Stack().height};
    }
    return attached_;
}

bool ClockWindow::Ours(wl_surface* surface) const {
    for (const auto& [name, output] : outputs_) {
        if (output->Surface() == surface) {
            return true;
        }
    }
    return false;
}

void ClockWindow::OnPointerMoved(wl_surface* surface, double x, double y) {
    for (const auto& [name, output] : outputs_) {
        for (const StackedOutput& stacked : canvas_.Stack().outputs) {
            if (output->Surface() == surface && stacked.id == name) {
                const double scale = output->Scale();
                PointerMove move;
                move.x = static_cast<int>(std::lround(x * scale));
                move.y = stacked.area.top + static_cast<int>(std::lround(y * scale));
                Report([move](ClockWindowEvents& events) { events.OnPointerMove(move); });
            }
        }
    }
}

// Nothing is shown before the program shows the window: the black of the canvas before the face
// is drawn never reaches the screen, and the face is committed once.
bool ClockWindow::Commit(std::uint32_t id, wl_buffer* buffer, int width, int height,
                         const PixelRect& damage) {
    const auto found = outputs_.find(id);
    if (!visible_ || found == outputs_.end()) {
        return false;
    }
    const bool mapped = found->second->Mapped();
    if (!found->second->Commit(buffer, width, height, damage)) {
        return false;
    }
    if (!mapped) {
        AwaitRefocus();
    }
    return true;
}

void ClockWindow::Show() {
    if (!visible_) {
        visible_ = true;
        canvas_.Present({0, 0, canvas_.Stack().width, canvas_.Stack().height});
    }
}

void ClockWindow::Report(std::function<void(ClockWindowEvents&)> report) {
    source_.Post([this, report = std::move(report)] {
        if (events_ != nullptr) {
            report(*events_);
        }
    });
}

}  // namespace tavrino::wayland
