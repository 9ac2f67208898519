#include <gtest/gtest.h>

#include <chrono>
#include <string_view>

#include "clockface/TimeOverride.h"

namespace tavrino {
namespace {

using namespace std::chrono_literals;

TEST(TimeOverride, ParsesFrozenAndRunningTimes) {
    EXPECT_EQ(ParseTimeOverride("01:59:57"), (TimeOverrideSetting{{1, 59, 57}, false}));
    EXPECT_EQ(ParseTimeOverride("01:59:57+"), (TimeOverrideSetting{{1, 59, 57}, true}));
    EXPECT_EQ(ParseTimeOverride("00:00:00"), (TimeOverrideSetting{{0, 0, 0}, false}));
    EXPECT_EQ(ParseTimeOverride("23:59:59+"), (TimeOverrideSetting{{23, 59, 59}, true}));
}

TEST(TimeOverride, MalformedTextGivesNoSetting) {
    for (const std::string_view text :
         {"", "+", "1:59:57", "01:59", "01:59:57++", "+01:59:57", "24:00:00", "12:60:00",
          "12:00:60", "12-00-00", "12:00:0a", " 12:00:00", "12:00:00 ", "12:00:00-", "120:00:00"}) {
        EXPECT_FALSE(ParseTimeOverride(text).has_value()) << '"' << text << '"';
    }
}

// A steady clock the test moves by hand.
struct ManualTicks {
    std::chrono::steady_clock::time_point now{};
    TimeOverride::Ticks Source() {
        return [this] { return now; };
    }
};

TEST(TimeOverride, FrozenTimeStandsStill) {
    ManualTicks ticks;
    TimeOverride clock(TimeOverrideSetting{{12, 34, 56}, false}, ticks.Source());
    ticks.now += 1h;
    EXPECT_EQ(clock.Now(), (LocalTime{12, 34, 56}));
}

TEST(TimeOverride, RunningTimeCountsMillisecondsAndWrapsAtMidnight) {
    ManualTicks ticks;
    ticks.now += 5s;  // the origin is the moment of construction, not the clock's epoch
    TimeOverride clock(TimeOverrideSetting{{1, 59, 57}, true}, ticks.Source());
    EXPECT_EQ(clock.Now(), (LocalTime{1, 59, 57, 0}));
    ticks.now += 999ms;
    EXPECT_EQ(clock.Now(), (LocalTime{1, 59, 57, 999}));
    ticks.now += 1ms;
    EXPECT_EQ(clock.Now(), (LocalTime{1, 59, 58, 0}));
    ticks.now += 2s + 250ms;
    EXPECT_EQ(clock.Now(), (LocalTime{2, 0, 0, 250}));

    TimeOverride late(TimeOverrideSetting{{23, 59, 59}, true}, ticks.Source());
    ticks.now += 2s + 1ms;
    EXPECT_EQ(late.Now(), (LocalTime{0, 0, 1, 1}));
    ticks.now += 24h;
    EXPECT_EQ(late.Now(), (LocalTime{0, 0, 1, 1}));
}

}  // namespace
}  // namespace tavrino
