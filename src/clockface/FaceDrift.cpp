// The face follows a Lissajous figure of three turns across and four turns down a day: it passes
// close to every corner of its square, and with at most 86 pixels of range the fastest axis moves
// 2 pi x 86 x 4 / 1440 = 1.5 pixels a minute, which whole pixels round to steps of at most 2.
#include "clockface/FaceDrift.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavrino {

namespace {

constexpr int kRangeDivisor = 50;  // 2 % of the shorter side
constexpr int kLargestRange = 4320 / kRangeDivisor;
constexpr int kTurnsAcross = 3;
constexpr int kTurnsDown = 4;

static_assert(2.0 * std::numbers::pi * kLargestRange * std::max(kTurnsAcross, kTurnsDown) /
                  kMinutesPerDay <
              2.0);

int Wave(int turns, int minute, int range) {
    const double angle = 2.0 * std::numbers::pi * turns * minute / kMinutesPerDay;
    return static_cast<int>(std::lround(range * std::sin(angle)));
}

int DriftRange(int width, int height) {
    return std::clamp(std::min(width, height) / kRangeDivisor, 0, kLargestRange);
}

}  // namespace

FaceOffset DriftOffset(int minuteOfDay, int width, int height) {
    const int minute = (minuteOfDay % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
    const int range = DriftRange(width, height);
    return {Wave(kTurnsAcross, minute, range), Wave(kTurnsDown, minute, range)};
}

}  // namespace tavrino
