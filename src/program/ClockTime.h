// The time the clock shows: the system's local time, or a demonstration time given as text, which
// a frontend reads from the environment variable TAVRINO_TIME ("10:08:42" stands still,
// "01:59:57+" runs on from there; see TimeOverride.h). A text that does not read is ignored and
// the system's time is shown. Both frontends hand the program this time source, so the choice is
// made here alone.
#pragma once

#include <optional>
#include <string_view>

#include "clockface/TimeOverride.h"
#include "seam/Time.h"

namespace tavrino {

class ClockTime final : public TimeSource {
  public:
    // systemTime is used, and must live, unless demonstrationTime reads.
    ClockTime(std::optional<std::string_view> demonstrationTime, TimeSource& systemTime);

    LocalTime Now() override;

  private:
    std::optional<TimeOverride> demonstration_;
    TimeSource& systemTime_;
};

}  // namespace tavrino
