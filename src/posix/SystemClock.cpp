#include "posix/SystemClock.h"

#include <ctime>

namespace tavrino::posix {

LocalTime SystemClock::Now() {
    constexpr long kNanosecondsPerMillisecond = 1000000;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec,
            static_cast<int>(now.tv_nsec / kNanosecondsPerMillisecond)};
}

}  // namespace tavrino::posix
