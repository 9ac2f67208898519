// What the program drew on a recording surface, and what fresh faces would draw, for comparing
// the two.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "clockface/FaceDrift.h"
#include "clockface/Tavrino.h"
#include "support/RecordingSurface.h"

namespace tavrino {

using DrawnDots = std::map<std::pair<float, float>, CircleOp>;

// What the surface shows: every dot as last painted since the last clear and not erased.
inline DrawnDots Shown(const RecordingSurface& surface) {
    DrawnDots dots;
    for (const SurfaceOp& op : surface.Log()) {
        if (op.kind == SurfaceOpKind::Clear) {
            dots.clear();
        } else if (op.kind == SurfaceOpKind::EraseCircle) {
            dots.erase({op.x, op.y});
        } else if (op.kind == SurfaceOpKind::Circle) {
            dots[{op.x, op.y}] = {op.x, op.y, op.radius, op.rim, op.fill, op.fillMode};
        }
    }
    return dots;
}

struct FixedTime final : TimeSource {
    explicit FixedTime(LocalTime time) : time_(time) {}
    LocalTime Now() override { return time_; }
    LocalTime time_;
};

// The faces a fresh render at each monitor's size draws, moved to where the monitor lies in the
// window.
inline DrawnDots FacesOn(const std::vector<PixelRect>& regions, LocalTime time,
                         FaceOffset offset = {}, int brightness = 100) {
    DrawnDots dots;
    for (const PixelRect& region : regions) {
        FixedTime clock(time);
        Tavrino face(clock);
        RecordingSurface surface(region.Width(), region.Height());
        face.InitClock(surface);
        face.SetOffset(offset);
        face.SetBrightness(brightness);
        face.DrawClock(Redraw::Everything);
        for (auto [at, dot] : Shown(surface)) {
            dot.x += static_cast<float>(region.left);
            dot.y += static_cast<float>(region.top);
            dots[{dot.x, dot.y}] = dot;
        }
    }
    return dots;
}

}  // namespace tavrino
