#include "wayland/StackedCanvas.h"

#include <algorithm>
#include <cstring>

namespace tavrino::wayland {

namespace {

// More boxes than this, drawn since the last present or behind the spare, are kept as the one box
// around them.
constexpr std::size_t kMostBoxes = 512;

void AddBox(std::vector<PixelRect>& boxes, const PixelRect& box) {
    if (boxes.size() < kMostBoxes) {
        boxes.push_back(box);
        return;
    }
    PixelRect around = box;
    for (const PixelRect& other : boxes) {
        around = Covering(around, other);
    }
    boxes.assign(1, around);
}

}  // namespace

StackedCanvas::StackedCanvas(wl_shm* shm, Committer committer)
    : shm_(shm), committer_(std::move(committer)) {}

void StackedCanvas::Relayout(const OutputStack& stack) {
    if (stack == stack_ && drawn_) {
        return;
    }
    stack_ = stack;
    spare_.reset();
    drawn_.reset();
    spareBehind_.assign(stack_.outputs.size(), {});
    drawnSincePresent_.clear();
    if (stack_.Bytes() == 0) {
        return;
    }
    drawn_.emplace(shm_, stack_);
    inked_ = {};
    if (!drawn_->Valid()) {
        drawn_.reset();
    }
}

ImageBuffer StackedCanvas::Pixels() {
    if (!drawn_) {
        return {};
    }
    return {stack_.width, stack_.height, stack_.width, drawn_->Pixels()};
}

void StackedCanvas::Drawn(const PixelRect& box) {
    inked_ = Covering(inked_, box);
    AddBox(drawnSincePresent_, box);
}

void StackedCanvas::Present(const PixelRect& changed) {
    if (!drawn_) {
        drawnSincePresent_.clear();
        return;
    }
    if (drawnSincePresent_.empty()) {
        drawnSincePresent_.push_back(changed);
    }
    for (std::size_t i = 0; i < stack_.outputs.size(); ++i) {
        const PixelRect part = Intersection(changed, stack_.outputs[i].area);
        if (part.Width() > 0 && part.Height() > 0) {
            for (const PixelRect& box : drawnSincePresent_) {
                NoteBehind(i, Intersection(box, part));
            }
            PresentOutput(i, part);
        }
    }
    drawnSincePresent_.clear();
}

void StackedCanvas::NoteBehind(std::size_t index, const PixelRect& box) {
    if (box.Width() <= 0 || box.Height() <= 0) {
        return;
    }
    AddBox(spareBehind_[index], box);
}

// A buffer the compositor still reads is drawn into already; the spare is shown in its place so
// that the next frames alternate between the two.
void StackedCanvas::PresentOutput(std::size_t index, const PixelRect& part) {
    const PixelRect area = stack_.outputs[index].area;
    const PixelRect damage = Moved(part, 0, -area.top);
    ShmPool* shown = &*drawn_;
    if (drawn_->Busy(index)) {
        if (!spare_) {
            spare_.emplace(shm_, stack_);
            for (std::size_t i = 0; i < stack_.outputs.size(); ++i) {
                spareBehind_[i].clear();
                NoteBehind(i, Intersection(inked_, stack_.outputs[i].area));
            }
        }
        if (spare_->Valid() && !spare_->Busy(index)) {
            BringSpareUpToDate(index);
            shown = &*spare_;
        }
    }
    if (committer_(stack_.outputs[index].id, shown->Buffer(index), area.Width(), area.Height(),
                   damage)) {
        shown->MarkBusy(index);
    }
}

void StackedCanvas::BringSpareUpToDate(std::size_t index) {
    const auto stride = static_cast<std::size_t>(stack_.width);
    for (const PixelRect& behind : spareBehind_[index]) {
        const auto rowBytes = static_cast<std::size_t>(behind.Width()) * sizeof(std::uint32_t);
        for (int y = behind.top; y < behind.bottom; ++y) {
            const std::size_t at =
                static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(behind.left);
            std::memcpy(spare_->Pixels() + at, drawn_->Pixels() + at, rowBytes);
        }
    }
    spareBehind_[index].clear();
}

}  // namespace tavrino::wayland
