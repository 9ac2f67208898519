// The local time of the operating system, for the clock face.
#pragma once

#include "seam/Time.h"

namespace tavrino::win32 {

class SystemClock final : public TimeSource {
  public:
    LocalTime Now() override;
};

}  // namespace tavrino::win32
