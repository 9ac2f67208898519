#include "program/ClockFaces.h"

namespace tavrino {

ClockFaces::ClockFaces(TimeSource& clock) : clock_(clock), whole_(clock) {}

void ClockFaces::InitClock(Surface& surface) {
    surface_ = &surface;
    regions_.clear();
    whole_.InitClock(surface);
    blueDigits_ = true;
}

void ClockFaces::ShowOnRegions(const std::vector<PixelRect>& regions) {
    regions_.clear();
    if (surface_ == nullptr || regions.size() < 2) {
        return;
    }
    for (const PixelRect& region : regions) {
        auto regionFace = std::make_unique<RegionFace>(*surface_, region, clock_);
        regionFace->face.InitClock(*regionFace->surface);
        if (!blueDigits_) {
            regionFace->face.SetGreenDigits();
        }
        regions_.push_back(std::move(regionFace));
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
    if (regions_.empty()) {
        whole_.DrawClock(redraw);
        return;
    }
    for (const auto& region : regions_) {
        region->face.DrawClock(redraw);
    }
}

void ClockFaces::ForEachFace(void (Tavrino::*action)()) {
    (whole_.*action)();
    for (const auto& region : regions_) {
        (region->face.*action)();
    }
}

}  // namespace tavrino
