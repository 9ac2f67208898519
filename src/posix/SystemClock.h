// The local time as the C library knows it (localtime_r over clock_gettime), with the time zone
// of $TZ or the system.
#pragma once

#include "seam/Time.h"

namespace tavrino::posix {

class SystemClock final : public TimeSource {
  public:
    LocalTime Now() override;
};

}  // namespace tavrino::posix
