// TAVRINO_TIME, the demonstration time a frontend takes from the environment.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "clockface/TimeOverride.h"

using namespace tavrino;
using fuzz::Require;

namespace {

std::string TextOf(const TimeOverrideSetting& setting) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d%s", setting.start.hour, setting.start.minute,
                  setting.start.second, setting.running ? "+" : "");
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::TextOf(data, size);
    const auto setting = ParseTimeOverride(text);
    if (!setting) {
        return 0;
    }
    const LocalTime start = setting->start;
    Require(start.hour >= 0 && start.hour <= 23 && start.minute >= 0 && start.minute <= 59 &&
                start.second >= 0 && start.second <= 59 && start.millisecond == 0,
            "a demonstration time is a time of day");
    Require(TextOf(*setting) == text, "only the one spelling of a time is read");

    // A running clock a whole day later shows its start again.
    std::chrono::steady_clock::time_point now{};
    TimeOverride clock(*setting, [&now] { return now; });
    Require(clock.Now() == start, "the clock starts at the time given");
    now += std::chrono::hours(24);
    Require(clock.Now() == start, "a day later the clock shows the same time");
    return 0;
}
