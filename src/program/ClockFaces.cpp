#include "program/ClockFaces.h"

namespace tavrino {

namespace {

int WholePixels(double length) {
    return static_cast<int>(length);
}

}  // namespace

ClockFaces::ClockFaces(TimeSource& clock) : clock_(clock) {}

void ClockFaces::InitClock(Surface& surface) {
    regions_.clear();
    whole_ = std::make_unique<Face>(surface, clock_);
    whole_->face.InitClock(surface);
    whole_->face.SetBrightness(options_.brightness);
    blueDigits_ = true;
}

void ClockFaces::ShowOnRegions(const std::vector<PixelRect>& regions, std::size_t primary) {
    regions_.clear();
    primary_ = primary;
    if (whole_ == nullptr || regions.size() < 2) {
        return;
    }
    for (const PixelRect& region : regions) {
        auto face = std::make_unique<Face>(*whole_->surface, region, clock_);
        face->face.InitClock(*face->surface);
        face->face.SetBrightness(options_.brightness);
        if (!blueDigits_) {
            face->face.SetGreenDigits();
        }
        regions_.push_back(std::move(face));
    }
}

void ClockFaces::SetWholeOnPrimary(bool onPrimary) {
    wholeOnPrimary_ = onPrimary;
}

void ClockFaces::SetOptions(const FaceOptions& options) {
    options_ = options;
    if (whole_ != nullptr) {
        whole_->face.SetBrightness(options.brightness);
    }
    for (const auto& region : regions_) {
        region->face.SetBrightness(options.brightness);
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
        if (whole_ != nullptr) {
            Draw(*whole_, options_.everyMonitor || wholeOnPrimary_, redraw);
        }
        return;
    }
    for (std::size_t i = 0; i < regions_.size(); ++i) {
        Draw(*regions_[i], Shows(i), redraw);
    }
}

bool ClockFaces::Shows(std::size_t index) const {
    return options_.everyMonitor || index == primary_;
}

// A face that does not show is cleared once and then costs nothing; one that drifts to a new
// place erases its dots at the old one and is drawn whole there.
void ClockFaces::Draw(Face& face, bool shows, Redraw redraw) {
    Surface& surface = *face.surface;
    if (!shows) {
        if (face.shown) {
            surface.Clear();
            surface.Refresh();
            face.shown = false;
        }
        return;
    }
    FaceOffset offset;
    if (options_.drift) {
        const LocalTime now = clock_.Now();
        offset = DriftOffset(MinuteOfDay(now), WholePixels(surface.InnerWidth()),
                             WholePixels(surface.InnerHeight()));
    }
    face.face.SetOffset(offset);
    if (!face.shown) {
        redraw = Redraw::Everything;
    }
    face.face.DrawClock(redraw);
    face.shown = true;
}

void ClockFaces::ForEachFace(void (Tavrino::*action)()) {
    if (whole_ != nullptr) {
        (whole_->face.*action)();
    }
    for (const auto& region : regions_) {
        (region->face.*action)();
    }
}

}  // namespace tavrino
