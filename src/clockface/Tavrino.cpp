// The clock face: measuring the surface, the second ring with its hour markers, and the dot
// digits. Every length is a fixed fraction of the surface's shorter side, so the face looks the
// same at any size; the arithmetic keeps single precision where the stored values are single so
// that the dots land on the same coordinates on every platform.
#include "clockface/Tavrino.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace tavrino {

namespace {

// Fractions of the shorter side D: dots have radius D / 90, the digit grid pitch is
// 2.65 x D / 95, the ring and the markers lie at D / 2.325 and D / 2.15 from the centre.
constexpr float kDotDivisor = 90.0f;
constexpr float kDigitDivisor = 95.0f;
constexpr double kDigitPitch = 2.65;
constexpr double kRingDivisor = 2.325;
constexpr double kMarkerDivisor = 2.15;

constexpr double kPi = 3.141592653589;

// The face, hour markers included, stays inside the half side, and the ring's dots clear the
// markers' dots.
static_assert(1.0 / kMarkerDivisor + 1.0 / kDotDivisor < 0.5);
static_assert(1.0 / kMarkerDivisor - 1.0 / kRingDivisor > 2.0 / kDotDivisor);

enum Segment : std::uint8_t { kA, kB, kC, kD, kE, kF, kG, kSegmentCount };

struct CellDot {
    Segment segment;
    float column;  // 0 to 4 from the cell's left column
    float row;     // -4 to 4 from the face's vertical centre, negative above it
};

// The 25 dots of a digit cell in drawing order, segment by segment. Bars sit on whole rows
// between the outer columns, the upright strokes on the outer columns at half rows.
constexpr std::array<CellDot, 25> kCellDots{{
    {kA, 1, -4},    {kA, 2, -4},    {kA, 3, -4},                     //
    {kB, 4, -3.5f}, {kB, 4, -2.5f}, {kB, 4, -1.5f}, {kB, 4, -0.5f},  //
    {kC, 4, 0.5f},  {kC, 4, 1.5f},  {kC, 4, 2.5f},  {kC, 4, 3.5f},   //
    {kD, 3, 4},     {kD, 2, 4},     {kD, 1, 4},                      //
    {kE, 0, 3.5f},  {kE, 0, 2.5f},  {kE, 0, 1.5f},  {kE, 0, 0.5f},   //
    {kF, 0, -0.5f}, {kF, 0, -1.5f}, {kF, 0, -2.5f}, {kF, 0, -3.5f},  //
    {kG, 1, 0},     {kG, 2, 0},     {kG, 3, 0},                      //
}};

constexpr bool IsBar(Segment s) {
    return s == kA || s == kD || s == kG;
}

constexpr bool CellIsWellFormed() {
    std::array<int, kSegmentCount> perSegment{};
    for (std::size_t i = 0; i < kCellDots.size(); ++i) {
        const CellDot& dot = kCellDots[i];
        if (i > 0 && dot.segment < kCellDots[i - 1].segment) {
            return false;  // the fill colour is set once per segment, so segments stay together
        }
        ++perSegment[dot.segment];
        const bool onHalfRow = dot.row != static_cast<float>(static_cast<int>(dot.row));
        const bool onOuterColumn = dot.column == 0 || dot.column == 4;
        if (IsBar(dot.segment) ? (onHalfRow || onOuterColumn) : (!onHalfRow || !onOuterColumn)) {
            return false;
        }
        if (dot.row < -4 || dot.row > 4) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (kCellDots[j].column == dot.column && kCellDots[j].row == dot.row) {
                return false;
            }
        }
    }
    for (int s = 0; s < kSegmentCount; ++s) {
        if (perSegment[static_cast<std::size_t>(s)] != (IsBar(static_cast<Segment>(s)) ? 3 : 4)) {
            return false;
        }
    }
    return true;
}
static_assert(CellIsWellFormed());

// The four cells span -12 to 12 steps across and -4 to 4 down; their farthest dots stay clear of
// the ring's dots.
static_assert((12.0 * 12.0 + 4.0 * 4.0) * (kDigitPitch / kDigitDivisor) *
                  (kDigitPitch / kDigitDivisor) <
              (1.0 / kRingDivisor - 2.0 / kDotDivisor) * (1.0 / kRingDivisor - 2.0 / kDotDivisor));

// Lit segments per value, read left to right as a b c d e f g.
constexpr std::array<std::uint8_t, 10> kGlyphs{
    0b1111110,  // 0
    0b0110000,  // 1
    0b1101101,  // 2
    0b1111001,  // 3
    0b0110011,  // 4
    0b1011011,  // 5
    0b1011111,  // 6 with its top bar
    0b1110000,  // 7 without the upper-left stroke
    0b1111111,  // 8
    0b1111011,  // 9 with its bottom bar
};

constexpr bool Lights(std::uint8_t glyph, Segment s) {
    return ((glyph >> (kSegmentCount - 1 - s)) & 1) != 0;
}

constexpr bool GlyphsAreDistinct() {
    for (std::size_t i = 0; i < kGlyphs.size(); ++i) {
        if (kGlyphs[i] >= (1u << kSegmentCount)) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (kGlyphs[i] == kGlyphs[j]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(GlyphsAreDistinct());

// v div 10 taken as v / 10 - (v mod 10) / 10 in double and rounded: the difference lands just
// below the whole number for some values (23 gives 1.9999999999999998), so it must not be
// truncated.
std::int16_t Tens(std::int16_t v) {
    const int units = v % 10;
    return static_cast<std::int16_t>(std::nearbyint(v / 10.0 - units / 10.0));
}

std::int16_t Units(std::int16_t v) {
    return static_cast<std::int16_t>(v % 10);
}

// Markers are red; a ring dot is lit up to the second, yellow where a marker stands.
DotColours RingColours(const RingDot& dot, std::int16_t second) {
    if (dot.marker) {
        return kRedPair;
    }
    if (dot.position > second) {
        return kOffPair;
    }
    return dot.position % kMarkerEvery == 0 ? kYellowPair : kGreenPair;
}

// One channel (red, green or blue) of a colour scaled by percent, rounded to the nearest value.
Colour DimmedColour(Colour colour, int percent) {
    Colour dimmed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const Colour channel = (colour >> shift) & 0xFF;
        const Colour scaled = (channel * static_cast<Colour>(percent) + kFullBrightness / 2) /
                              static_cast<Colour>(kFullBrightness);
        dimmed |= scaled << shift;
    }
    return dimmed;
}

std::int32_t RoundSide(double side) {
    return static_cast<std::int32_t>(std::nearbyint(side));
}

}  // namespace

Tavrino::Tavrino(TimeSource& clock) : clock_(clock) {}

void Tavrino::InitClock(Surface& surface) {
    surface_ = &surface;
    SetBlueDigits();
}

void Tavrino::SetBlueDigits() {
    DigitRim = kBluePair.rim;
    DigitFill = kBluePair.fill;
}

void Tavrino::SetGreenDigits() {
    DigitRim = kGreenPair.rim;
    DigitFill = kGreenPair.fill;
}

void Tavrino::SetOffset(FaceOffset offset) {
    if (offset != offset_) {
        offset_ = offset;
        wholeFaceDue_ = true;
    }
}

void Tavrino::SetBrightness(int percent) {
    const int clamped = std::clamp(percent, kLowestBrightness, kFullBrightness);
    if (clamped != brightness_) {
        brightness_ = clamped;
        wholeFaceDue_ = true;
    }
}

DotColours Tavrino::Dimmed(const DotColours& colours) const {
    return {DimmedColour(colours.rim, brightness_), DimmedColour(colours.fill, brightness_)};
}

void Tavrino::DrawClock(Redraw redraw) {
    if (surface_ == nullptr) {
        return;
    }
    const std::int32_t width = RoundSide(surface_->InnerWidth());
    const std::int32_t height = RoundSide(surface_->InnerHeight());
    // Without any area every size would be 0 / 0; wait, unchanged, until the surface has one.
    if (width == 0 && height == 0) {
        return;
    }
    if (wholeFaceDue_) {
        redraw = Redraw::Everything;
        wholeFaceDue_ = false;
    }
    if (drawnAt_ && *drawnAt_ != offset_) {
        EraseFaceAt(*drawnAt_);
    }
    drawnAt_ = offset_;
    FaceWidth = width;
    FaceHeight = height;
    FaceMax = static_cast<float>(std::max(FaceWidth, FaceHeight));
    FaceMin = static_cast<float>(std::min(FaceWidth, FaceHeight));
    DotRadius = FaceMax / kDotDivisor * FaceMin / FaceMax;
    DigitUnit = FaceMax / kDigitDivisor * FaceMin / FaceMax;

    const LocalTime now = clock_.Now();
    Hour = static_cast<std::int16_t>(now.hour);
    Minute = static_cast<std::int16_t>(now.minute);
    Second = static_cast<std::int16_t>(now.second);

    if (surface_->GetFillMode() != FillMode::Solid) {
        surface_->SetFillMode(FillMode::Solid);
    }

    // The hour is compared too: setting the clock by whole hours keeps the minute.
    if (redraw == Redraw::Everything || Hour != LastHour || Minute != LastMinute) {
        LastHour = Hour;
        LastMinute = Minute;
        DrawDigit(Tens(Hour), 0);
        DrawDigit(Units(Hour), 1);
        DrawDigit(Tens(Minute), 2);
        DrawDigit(Units(Minute), 3);
        wholeRingDue_ = true;
    }

    if (redraw == Redraw::Changed && Second == LastSecond) {
        return;
    }
    // Each new minute repaints the whole ring, as does a ring the digits may have drawn over.
    if (redraw == Redraw::Everything || wholeRingDue_ || Second == 0) {
        DrawSeconds(Second);
    } else {
        DrawRingChanges(LastSecond, Second);
    }
    wholeRingDue_ = false;
    LastSecond = Second;
    surface_->Refresh();
}

Tavrino::RingLayout Tavrino::LayOutRing(FaceOffset moved) const {
    const auto ringRadius = static_cast<float>(FaceMin / kRingDivisor);
    const auto markerRadius = static_cast<float>(FaceMin / kMarkerDivisor);
    const double centreX = FaceWidth / 2.0 + moved.x;
    const double centreY = FaceHeight / 2.0 + moved.y;
    RingLayout ring{};
    std::size_t next = 0;
    // Angles start a quarter turn back so that position 0 is at the top; y grows downwards, so
    // increasing angles run clockwise.
    for (int i = -kRingDots / 4; i < kRingDots * 3 / 4; ++i) {
        const int position = i + kRingDots / 4;
        // The angle is worked out in double and only then stored in single precision.
        const auto angle = static_cast<float>(2.0 * i * kPi / kRingDots);
        const double cosine = std::cos(static_cast<double>(angle));
        const double sine = std::sin(static_cast<double>(angle));
        const auto at = [&](float radius, bool marker) {
            ring[next++] = {static_cast<float>(cosine * radius + centreX),
                            static_cast<float>(sine * radius + centreY), position, marker};
        };
        if (position % kMarkerEvery == 0) {
            at(markerRadius, true);
        }
        at(ringRadius, false);
    }
    return ring;
}

void Tavrino::DrawSeconds(std::int16_t second) {
    if (surface_ == nullptr) {
        return;
    }
    for (const RingDot& dot : LayOutRing(offset_)) {
        DrawRingDot(dot, second);
    }
}

// Repaints the dots whose colours differ between the two seconds. A repainted dot covers the
// pixels it shares with its neighbours (below a face of about 106 pixels they touch), so every
// later dot that may share a pixel with a repainted one is repainted too, in drawing order: the
// ring ends exactly as a whole repaint would leave it.
void Tavrino::DrawRingChanges(std::int16_t shown, std::int16_t second) {
    const RingLayout ring = LayOutRing(offset_);
    // Two dots can touch the same pixel only when their centres lie closer than both their
    // reaches and a pixel's diagonal.
    const double sharing = 2.0 * (double{DotRadius} + kRimHalfWidth) + std::numbers::sqrt2;
    std::array<bool, kRingLayoutSize> repainted{};
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const RingDot& dot = ring[i];
        bool repaint = RingColours(dot, shown) != RingColours(dot, second);
        for (std::size_t j = 0; j < i && !repaint; ++j) {
            repaint = repainted[j] &&
                      std::hypot(double{dot.x} - ring[j].x, double{dot.y} - ring[j].y) < sharing;
        }
        if (repaint) {
            DrawRingDot(dot, second);
            repainted[i] = true;
        }
    }
}

void Tavrino::DrawRingDot(const RingDot& dot, std::int16_t second) {
    const DotColours colours = Dimmed(RingColours(dot, second));
    surface_->SetFillColour(colours.fill);
    surface_->Circle(dot.x, dot.y, DotRadius, colours.rim);
}

void Tavrino::DrawDigit(std::int16_t value, std::int16_t position) {
    if (surface_ == nullptr || value < 0 || value >= static_cast<int>(kGlyphs.size()) ||
        position < 0 || position > 3) {
        return;
    }
    const std::uint8_t glyph = kGlyphs[static_cast<std::size_t>(value)];
    const DigitPlaces places = DigitPlacesAt(offset_);
    const DotColours lit = Dimmed({DigitRim, DigitFill});
    const DotColours unlit = Dimmed(kOffPair);

    surface_->SetFillColour(lit.fill);
    surface_->Circle(places.centreX, places.ColonTop(), DotRadius, lit.rim);
    surface_->Circle(places.centreX, places.ColonBottom(), DotRadius, lit.rim);

    const float cellLeft = places.CellLeft(position);
    const float step = places.step;
    const float centreY = places.centreY;
    Colour rim = lit.rim;
    for (std::size_t i = 0; i < kCellDots.size(); ++i) {
        const CellDot& dot = kCellDots[i];
        if (i == 0 || dot.segment != kCellDots[i - 1].segment) {
            const DotColours& colours = Lights(glyph, dot.segment) ? lit : unlit;
            rim = colours.rim;
            surface_->SetFillColour(colours.fill);
        }
        surface_->Circle(cellLeft + dot.column * step, centreY + dot.row * step, DotRadius, rim);
    }
}

Tavrino::DigitPlaces Tavrino::DigitPlacesAt(FaceOffset at) const {
    return {static_cast<float>(FaceWidth) / 2.0f + static_cast<float>(at.x),
            static_cast<float>(FaceHeight) / 2.0f + static_cast<float>(at.y),
            static_cast<float>(kDigitPitch * static_cast<double>(DigitUnit))};
}

float Tavrino::DigitPlaces::CellLeft(int position) const {
    const float left = centreX + static_cast<float>(6 * position - 12) * step;
    return position > 1 ? left + 2.0f * step : left;  // the gap for the colon
}

// Takes away every dot the last DrawClock painted where it painted it, at the size it had then,
// rather than clearing the whole surface: a move then costs no more than a redraw.
void Tavrino::EraseFaceAt(FaceOffset at) {
    for (const RingDot& dot : LayOutRing(at)) {
        surface_->EraseCircle(dot.x, dot.y, DotRadius);
    }
    const DigitPlaces places = DigitPlacesAt(at);
    surface_->EraseCircle(places.centreX, places.ColonTop(), DotRadius);
    surface_->EraseCircle(places.centreX, places.ColonBottom(), DotRadius);
    for (int position = 0; position < 4; ++position) {
        const float cellLeft = places.CellLeft(position);
        for (const CellDot& dot : kCellDots) {
            surface_->EraseCircle(cellLeft + dot.column * places.step,
                                  places.centreY + dot.row * places.step, DotRadius);
        }
    }
}

}  // namespace tavrino
