// The slow wandering of the clock face that keeps a screen from burning in: for every minute of
// the day, how far the face's centre is moved from the middle of its area. The path depends on
// nothing but the minute and the area's size, so a given time always shows the same picture.
#pragma once

#include "seam/Time.h"

namespace tavrino {

struct FaceOffset {
    int x = 0;
    int y = 0;

    friend bool operator==(const FaceOffset&, const FaceOffset&) = default;
};

constexpr int kMinutesPerDay = 24 * 60;

constexpr int MinuteOfDay(const LocalTime& time) {
    return time.hour * 60 + time.minute;
}

// Where the face's centre is moved, in pixels, at that minute of the day (0..1439; any other value
// is taken modulo 1440) for a face area of that size. Along either axis it stays within 2 % of the
// area's shorter side in whole pixels, at most 86 pixels (the range of a 4320-pixel side), so that
// a minute's step stays within 2 pixels on any area.
FaceOffset DriftOffset(int minuteOfDay, int width, int height);

}  // namespace tavrino
