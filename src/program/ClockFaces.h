// The clock faces of the clock window: one over the whole window, or in the screensaver on a desk
// of several monitors one on each monitor's region of it. All of them show the same time in the
// same digit colour and brightness; callers treat them as one face. The screensaver's options
// decide which of them show (all, or the primary monitor's only: the others stay as the window was
// cleared and are never drawn) and whether they drift: each face then moves about its centre as
// the minute of the day says, drawn whole at its new place when the offset changes.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "clockface/FaceDrift.h"
#include "clockface/Tavrino.h"
#include "seam/Geometry.h"
#include "seam/Time.h"
#include "surface/Surface.h"

namespace tavrino {

// How the screensaver's options show on the faces; the defaults are the desktop clock's look.
struct FaceOptions {
    bool everyMonitor = true;  // false: only the primary monitor's face shows
    bool drift = false;
    int brightness = kFullBrightness;  // in per cent

    friend bool operator==(const FaceOptions&, const FaceOptions&) = default;
};

class ClockFaces {
  public:
    explicit ClockFaces(TimeSource& clock);
    ClockFaces(const ClockFaces&) = delete;
    ClockFaces& operator=(const ClockFaces&) = delete;

    // One face over the whole surface, kept for the rest of the run. Draws nothing.
    void InitClock(Surface& surface);
    // A face on each of these regions of the surface (in its pixels) from now on, the primary
    // monitor's at that index; with fewer than two, one face over the whole surface. Draws
    // nothing.
    void ShowOnRegions(const std::vector<PixelRect>& regions, std::size_t primary = 0);
    // Whether the one face over the whole surface is on the primary monitor (a preview's host
    // window elsewhere is not). Draws nothing.
    void SetWholeOnPrimary(bool onPrimary);
    // From the next DrawClock on; a face that stops showing is cleared there, once.
    void SetOptions(const FaceOptions& options);

    void SetBlueDigits();
    void SetGreenDigits();
    void DrawClock(Redraw redraw);

  private:
    struct Face {
        Face(Surface& whole, TimeSource& clock) : surface(&whole), face(clock) {}
        Face(Surface& whole, const PixelRect& region, TimeSource& clock)
            : ownRegion(whole.Region(region)), surface(ownRegion.get()), face(clock) {}

        std::unique_ptr<Surface> ownRegion;  // empty for the face over the whole surface
        Surface* surface;
        Tavrino face;
        bool shown = false;  // drawn since it was made or last cleared
    };

    bool Shows(std::size_t index) const;
    void Draw(Face& face, bool shows, Redraw redraw);
    void ForEachFace(void (Tavrino::*action)());

    TimeSource& clock_;
    std::unique_ptr<Face> whole_;
    // Each region's face keeps a reference to its region, so they stay where they were made.
    std::vector<std::unique_ptr<Face>> regions_;
    std::size_t primary_ = 0;
    bool wholeOnPrimary_ = true;
    FaceOptions options_;
    bool blueDigits_ = true;
};

}  // namespace tavrino
