// The clock face: a ring of 60 second dots that fills clockwise, 12 red hour markers just
// outside it, and HH:MM as seven-segment digits made of dots. It repaints only what changed
// since the last call (the digits when the time's hour or minute changed, the ring's dots whose
// colour the new second changes) unless a full repaint is forced, and leaves the surface just as
// a full repaint would. It never clears the surface: it paints over dots, lit or unlit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "clockface/Palette.h"
#include "seam/Time.h"
#include "surface/Surface.h"

namespace tavrino {

enum class Redraw { Changed, Everything };

constexpr int kRingDots = 60;
constexpr int kMarkerEvery = 5;

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
    RingLayout LayOutRing() const;
    void DrawRingChanges(std::int16_t shown, std::int16_t second);
    void DrawRingDot(const RingDot& dot, std::int16_t second);

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

    Colour DigitRim = kBluePair.rim;
    Colour DigitFill = kBluePair.fill;
};

}  // namespace tavrino
