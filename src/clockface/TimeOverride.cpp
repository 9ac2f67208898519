#include "clockface/TimeOverride.h"

#include <utility>

namespace tavrino {

namespace {

constexpr long long kSecondsPerDay = 24LL * 60 * 60;
constexpr long long kMillisecondsPerSecond = 1000;

// Two decimal digits at text[at], at most limit.
std::optional<int> TwoDigits(std::string_view text, std::size_t at, int limit) {
    const char tens = text[at];
    const char ones = text[at + 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') {
        return std::nullopt;
    }
    const int value = (tens - '0') * 10 + (ones - '0');
    if (value > limit) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<TimeOverrideSetting> ParseTimeOverride(std::string_view text) {
    TimeOverrideSetting setting;
    if (text.size() == 9 && text.back() == '+') {
        setting.running = true;
        text.remove_suffix(1);
    }
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
        return std::nullopt;
    }
    const auto hour = TwoDigits(text, 0, 23);
    const auto minute = TwoDigits(text, 3, 59);
    const auto second = TwoDigits(text, 6, 59);
    if (!hour || !minute || !second) {
        return std::nullopt;
    }
    setting.start = LocalTime{*hour, *minute, *second};
    return setting;
}

TimeOverride::TimeOverride(TimeOverrideSetting setting, Ticks ticks)
    : setting_(setting), ticks_(std::move(ticks)), origin_(ticks_()) {}

LocalTime TimeOverride::Now() {
    if (!setting_.running) {
        return setting_.start;
    }
    // Milliseconds too: the program's tick lands just after each of this clock's seconds.
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(ticks_() - origin_).count();
    const long long start =
        ((setting_.start.hour * 60LL + setting_.start.minute) * 60LL + setting_.start.second) *
        kMillisecondsPerSecond;
    const long long now = (start + elapsed) % (kSecondsPerDay * kMillisecondsPerSecond);
    const long long seconds = now / kMillisecondsPerSecond;
    return LocalTime{static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                     static_cast<int>(seconds % 60),
                     static_cast<int>(now % kMillisecondsPerSecond)};
}

}  // namespace tavrino
