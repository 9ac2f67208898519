// The time the clock shows: the demonstration time when its text reads, the system's otherwise.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "program/ClockTime.h"

namespace tavrino {
namespace {

class SystemTime final : public TimeSource {
  public:
    LocalTime now{7, 8, 9, 10};
    LocalTime Now() override { return now; }
};

TEST(ClockTime, TheDemonstrationTimeWhenItReadsElseTheSystems) {
    SystemTime system;
    EXPECT_EQ(ClockTime("10:08:42", system).Now(), (LocalTime{10, 8, 42, 0}));
    for (const std::optional<std::string_view> text :
         {std::optional<std::string_view>(), std::optional<std::string_view>(""),
          std::optional<std::string_view>("1:59:57"),
          std::optional<std::string_view>("10:08:42-")}) {
        EXPECT_EQ(ClockTime(text, system).Now(), system.now) << text.value_or("(none)");
    }
}

}  // namespace
}  // namespace tavrino
