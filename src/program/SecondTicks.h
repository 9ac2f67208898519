// When the clock's tick is due. The tick comes once a second, just after the wall-clock second
// begins, so a new second shows at once and the process sleeps in between. The delay is worked
// out here from the time source, so every frontend only has to arm a one-shot timer for it.
#pragma once

#include <chrono>

#include "seam/Time.h"

namespace tavrino {

// Just past the boundary, so the time read in the tick is already the new second. A timer that
// fires early finds the old second and asks again for what is left of it.
constexpr std::chrono::milliseconds kTickMargin{1};

inline std::chrono::milliseconds DelayToNextSecond(const LocalTime& now) {
    return std::chrono::milliseconds(1000 - now.millisecond) + kTickMargin;
}

inline bool SameSecond(const LocalTime& a, const LocalTime& b) {
    return a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

}  // namespace tavrino
