#include "program/ClockFaces.h"

namespace tavrino {

ClockFaces::ClockFaces(TimeSource& clock) : clock_(clock), whole_(clock) {}

void ClockFaces::InitClock(Surface& surface) {
    surface_ = &surface;
    parts_.clear();
    whole_.InitClock(surface);
    blueDigits_ = true;
}

void ClockFaces::ShowOnParts(const std::vector<PixelRect>& parts) {
    parts_.clear();
    if (surface_ == nullptr || parts.size() < 2) {
        return;
    }
    for (const PixelRect& part : parts) {
        auto partFace = std::make_unique<PartFace>(*surface_, part, clock_);
        partFace->face.InitClock(*partFace->surface);
        if (!blueDigits_) {
            partFace->face.SetGreenDigits();
        }
        parts_.push_back(std::move(partFace));
    }
}

void ClockFaces::SetBlueDigits() {
    blueDigits_ = true;
    ForEachFace(&Tavrino::SetBlueDigits);
}

void ClockFaces::SetGreenDigits() {
    blueDigits_ = false;
    ForEachFace(&Tavrino::SetGreenDigits);
}

void ClockFaces::DrawClock(Redraw redraw) {
    if (parts_.empty()) {
        whole_.DrawClock(redraw);
        return;
    }
    for (const auto& part : parts_) {
        part->face.DrawClock(redraw);
    }
}

void ClockFaces::ForEachFace(void (Tavrino::*action)()) {
    (whole_.*action)();
    for (const auto& part : parts_) {
        (part->face.*action)();
    }
}

}  // namespace tavrino
