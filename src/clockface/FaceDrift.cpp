// The face follows a Lissajous figure of triangle waves, three turns across and four down a day,
// the second a quarter turn behind: the path passes within a sixth of the range of every corner
// of its square. A turn crosses the range four times, so the faster axis moves 4 x 4 x 86 / 1440
// = 0.96 pixels a minute at the largest range, which whole pixels round to steps of at most 1.
// Everything is whole-number arithmetic, so every platform (and the render tool) puts the face on
// the same pixels, ties included.
#include "clockface/FaceDrift.h"

#include <algorithm>
#include <cstdlib>

namespace tavrino {

namespace {

constexpr int kRangeDivisor = 50;  // 2 % of the shorter side
constexpr int kLargestRange = 4320 / kRangeDivisor;
constexpr int kTurnsAcross = 3;
constexpr int kTurnsDown = 4;
constexpr int kDownBehind = kMinutesPerDay / 4;  // a quarter turn, in turn units of 1/1440

static_assert(4 * std::max(kTurnsAcross, kTurnsDown) * kLargestRange <= 2 * kMinutesPerDay,
              "at most 2 pixels a minute");

// range x the triangle wave at `phase` (0..1439 of a turn): +range at 0, -range half way, rounded
// half away from zero.
int Wave(int phase, int range) {
    const int doubled = 2 * std::abs(2 * phase - kMinutesPerDay) - kMinutesPerDay;  // +-1440
    const int scaled = range * doubled;
    const int rounded = (2 * std::abs(scaled) + kMinutesPerDay) / (2 * kMinutesPerDay);
    return scaled < 0 ? -rounded : rounded;
}

int DriftRange(int width, int height) {
    return std::clamp(std::min(width, height) / kRangeDivisor, 0, kLargestRange);
}

}  // namespace

FaceOffset DriftOffset(int minuteOfDay, int width, int height) {
    const int minute = (minuteOfDay % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
    const int range = DriftRange(width, height);
    return {Wave(kTurnsAcross * minute % kMinutesPerDay, range),
            Wave((kTurnsDown * minute + kDownBehind) % kMinutesPerDay, range)};
}

}  // namespace tavrino
