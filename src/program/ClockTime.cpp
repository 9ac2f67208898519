#include "program/ClockTime.h"

namespace tavrino {

ClockTime::ClockTime(std::optional<std::string_view> demonstrationTime, TimeSource& systemTime)
    : systemTime_(systemTime) {
    if (demonstrationTime) {
        if (const auto setting = ParseTimeOverride(*demonstrationTime)) {
            demonstration_.emplace(*setting);
        }
    }
}

LocalTime ClockTime::Now() {
    return demonstration_ ? demonstration_->Now() : systemTime_.Now();
}

}  // namespace tavrino
