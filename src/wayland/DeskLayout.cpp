#include "wayland/DeskLayout.h"

#include <algorithm>

#include "wayland/OutputStack.h"

namespace tavrino::wayland {

namespace {

bool Holds(const PixelRect& area, int x, int y) {
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

}  // namespace

DeskLayout::DeskLayout(const std::vector<DeskOutput>& outputs) {
    for (const DeskOutput& output : outputs) {
        if (output.logical.Width() > 0 && output.logical.Height() > 0) {
            outputs_.push_back(output);
        }
    }
    std::sort(outputs_.begin(), outputs_.end(), [](const DeskOutput& a, const DeskOutput& b) {
        return DeskOrder(a.logical.left, a.logical.top, a.name) <
               DeskOrder(b.logical.left, b.logical.top, b.name);
    });
    if (outputs_.empty()) {
        return;
    }
    PixelRect around = outputs_.front().logical;
    for (const DeskOutput& output : outputs_) {
        around.left = std::min(around.left, output.logical.left);
        around.top = std::min(around.top, output.logical.top);
    }
    for (DeskOutput& output : outputs_) {
        output.logical = Moved(output.logical, -around.left, -around.top);
    }
}

std::optional<std::uint32_t> DeskLayout::Primary() const {
    if (outputs_.empty()) {
        return std::nullopt;
    }
    return outputs_.front().name;
}

PixelRect DeskLayout::OnDesk(std::uint32_t name) const {
    const auto found =
        std::find_if(outputs_.begin(), outputs_.end(),
                     [name](const DeskOutput& output) { return output.name == name; });
    return found == outputs_.end() ? PixelRect{} : found->logical;
}

std::optional<std::uint32_t> DeskLayout::Holding(const PixelRect& rect) const {
    const int middleX = rect.left + rect.Width() / 2;
    const int middleY = rect.top + rect.Height() / 2;
    for (const DeskOutput& output : outputs_) {
        if (Holds(output.logical, middleX, middleY)) {
            return output.name;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> DeskLayout::OutputFor(const PixelRect& rect) const {
    const std::optional<std::uint32_t> holder = Holding(rect);
    return holder ? holder : Primary();
}

PixelRect DeskLayout::OnOutput(const PixelRect& rect, std::uint32_t name) const {
    const PixelRect area = OnDesk(name);
    return Moved(rect, -area.left, -area.top);
}

PixelRect DeskLayout::KeptOnDesk(const PixelRect& rect) const {
    if (outputs_.empty() || Holding(rect)) {
        return rect;
    }
    const PixelRect area = outputs_.front().logical;
    const int left =
        std::clamp(rect.left, area.left, std::max(area.left, area.right - rect.Width()));
    const int top = std::clamp(rect.top, area.top, std::max(area.top, area.bottom - rect.Height()));
    return Moved(rect, left - rect.left, top - rect.top);
}

std::vector<PixelRect> DeskLayout::Monitors() const {
    std::vector<PixelRect> monitors;
    monitors.reserve(outputs_.size());
    for (const DeskOutput& output : outputs_) {
        monitors.push_back(output.logical);
    }
    return monitors;
}

}  // namespace tavrino::wayland
