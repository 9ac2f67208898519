// The clock face: a ring of 60 second dots that fills clockwise, 12 red hour markers just
// outside it, and HH:MM as seven-segment digits made of dots. It repaints only what changed
// since the last call (the digits when the time's hour or minute changed, the ring's dots whose
// colour the new second changes) unless a full repaint is forced, and leaves the surface just as
// a full repaint would. It never clears the surface: it paints over dots, lit or unlit, and when
// it moves it erases only its own dots.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "clockface/FaceDrift.h"
#include "clockface/Palette.h"
#include "seam/Time.h"
#include "surface/Surface.h"

namespace tavrino {

enum class Redraw { Changed, Everything };

constexpr int kRingDots = 60;
constexpr int kMarkerEvery = 5;

// The face's brightness in percent of the palette's colours.
constexpr int kLowestBrightness = 10;
constexpr int kFullBrightness = 100;

// A dot of the second ring, or the hour marker just outside it, where the face puts it.
struct RingDot {
    float x = 0.0f;
    float y = 0.0f;
    int position = 0;  // 0 at the top, clockwise
    bool marker = false;
};

class Tavrino {
  public:
    explicit Tavrino(TimeSource& clock);

    // Keeps the surface for the rest of the run and selects the blue digits. Draws nothing.
    void InitClock(Surface& surface);
    void SetBlueDigits();
    void SetGreenDigits();

    // Moves the face's centre by the offset from the next DrawClock on; a new offset erases the
    // face's dots at the old place and redraws everything at the next DrawClock.
    void SetOffset(FaceOffset offset);
    // Every colour drawn, lit and unlit, scaled by percent (10..100, clamped) from the next
    // DrawClock on; a change redraws everything at the next DrawClock.
    void SetBrightness(int percent);

    // Repaints the digits when the hour or minute changed and the ring when the second changed,
    // or both whatever changed.
    void DrawClock(Redraw redraw);

    // The 60 ring dots and 12 hour markers for that second.
    void DrawSeconds(std::int16_t second);
    // One digit cell (value 0-9, position 0-3) and the colon.
    void DrawDigit(std::int16_t value, std::int16_t position);

  private:
    // The ring's dots in drawing order: each marker just before the ring dot at its angle.
    static constexpr std::size_t kRingLayoutSize = kRingDots + kRingDots / kMarkerEvery;
    using RingLayout = std::array<RingDot, kRingLayoutSize>;
    RingLayout LayOutRing(FaceOffset moved) const;
    // Where the digits' dots lie for the face's centre moved by `at`.
    struct DigitPlaces {
        float centreX = 0.0f;
        float centreY = 0.0f;
        float step = 0.0f;  // the digit grid's pitch
        float ColonTop() const { return centreY - 2.0f * step; }
        float ColonBottom() const { return centreY + 2.0f * step; }
        float CellLeft(int position) const;
    };
    DigitPlaces DigitPlacesAt(FaceOffset at) const;
    void EraseFaceAt(FaceOffset at);
    void DrawRingChanges(std::int16_t shown, std::int16_t second);
    void DrawRingDot(const RingDot& dot, std::int16_t second);
    // A pair of the palette as this face's brightness shows it.
    DotColours Dimmed(const DotColours& colours) const;

    TimeSource& clock_;
    // Set by InitClock and kept for the run; null means the face is not ready yet and draws
    // nothing.
    Surface* surface_ = nullptr;

    // The time sampled by the last DrawClock, and what the digits and the ring last showed.
    std::int16_t Hour = 0;
    std::int16_t Minute = 0;
    std::int16_t Second = 0;
    std::int16_t LastHour = 0;
    std::int16_t LastMinute = 0;
    std::int16_t LastSecond = 0;

    // The surface measured at the start of every DrawClock; the face is sized by the shorter
    // side.
    std::int32_t FaceWidth = 0;
    std::int32_t FaceHeight = 0;
    float FaceMax = 0.0f;
    float FaceMin = 0.0f;
    float DotRadius = 0.0f;
    float DigitUnit = 0.0f;

    // Set until the ring is next drawn whole: at the start, and after the digits were drawn,
    // which may share pixels with it on a small face.
    bool wholeRingDue_ = true;
    // Set by a new offset or brightness until the next DrawClock repaints everything.
    bool wholeFaceDue_ = false;
    FaceOffset offset_;
    // Where the face was last drawn; empty until it first is.
    std::optional<FaceOffset> drawnAt_;
    int brightness_ = kFullBrightness;

    Colour DigitRim = kBluePair.rim;
    Colour DigitFill = kBluePair.fill;
};

}  // namespace tavrino
