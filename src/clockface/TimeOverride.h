// A fixed or running demonstration time for the clock, given as text such as "01:59:57" (the
// clock stands still at that time) or "01:59:57+" (the clock starts there and runs on as real
// time passes). Screenshots and demonstrations use it to show a chosen time; a frontend reads
// the text from the environment variable TAVRINO_TIME and falls back to the real clock when the
// text does not parse.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string_view>

#include "seam/Time.h"

namespace tavrino {

struct TimeOverrideSetting {
    LocalTime start;
    bool running = false;  // the trailing "+"

    friend bool operator==(const TimeOverrideSetting&, const TimeOverrideSetting&) = default;
};

// "HH:MM:SS" with an optional trailing "+", two digits per field, hour 00-23, minute and second
// 00-59. Anything else gives no setting.
std::optional<TimeOverrideSetting> ParseTimeOverride(std::string_view text);

class TimeOverride final : public TimeSource {
  public:
    using Ticks = std::function<std::chrono::steady_clock::time_point()>;

    // A running override counts the time that ticks reports since construction, to the
    // millisecond.
    explicit TimeOverride(TimeOverrideSetting setting,
                          Ticks ticks = std::chrono::steady_clock::now);

    LocalTime Now() override;

  private:
    TimeOverrideSetting setting_;
    Ticks ticks_;
    std::chrono::steady_clock::time_point origin_;
};

}  // namespace tavrino
