// The clock face: a ring of 60 second dots that fills clockwise, 12 red hour markers just
// outside it, and HH:MM as seven-segment digits made of dots. It repaints only what changed
// since the last call (the digits when the time's hour or minute changed, the ring when the
// second changed) unless a full repaint is forced. It never clears the surface: every redraw
// paints every dot of the element, lit or unlit.
#pragma once

#include <cstdint>

#include "clockface/Palette.h"
#include "seam/Time.h"
#include "surface/Surface.h"

namespace tavrino {

enum class Redraw { Changed, Everything };

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

    Colour DigitRim = kBluePair.rim;
    Colour DigitFill = kBluePair.fill;
};

}  // namespace tavrino
