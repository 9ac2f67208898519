// The clock faces of the clock window: one over the whole window, or in the screensaver on a desk
// of several monitors one on each monitor's region of it. All of them show the same time in the
// same digit colour; callers treat them as one face.
#pragma once

#include <memory>
#include <vector>

#include "clockface/Tavrino.h"
#include "seam/Geometry.h"
#include "seam/Time.h"
#include "surface/Surface.h"

namespace tavrino {

class ClockFaces {
  public:
    explicit ClockFaces(TimeSource& clock);
    ClockFaces(const ClockFaces&) = delete;
    ClockFaces& operator=(const ClockFaces&) = delete;

    // One face over the whole surface, kept for the rest of the run. Draws nothing.
    void InitClock(Surface& surface);
    // A face on each of these regions of the surface (in its pixels) from now on; with fewer than
    // two, one face over the whole surface. Draws nothing.
    void ShowOnRegions(const std::vector<PixelRect>& regions);

    void SetBlueDigits();
    void SetGreenDigits();
    void DrawClock(Redraw redraw);

  private:
    struct RegionFace {
        RegionFace(Surface& whole, const PixelRect& region, TimeSource& clock)
            : surface(whole.Region(region)), face(clock) {}
        std::unique_ptr<Surface> surface;
        Tavrino face;
    };

    void ForEachFace(void (Tavrino::*action)());

    TimeSource& clock_;
    Surface* surface_ = nullptr;
    Tavrino whole_;
    // Each region's face keeps a reference to its region, so they stay where they were made.
    std::vector<std::unique_ptr<RegionFace>> regions_;
    bool blueDigits_ = true;
};

}  // namespace tavrino
