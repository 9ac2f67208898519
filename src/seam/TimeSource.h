// Where the clock face gets the local time from: the operating system in the program, fixed or
// scripted times in tests and in the render tool.
#pragma once

namespace tavrino {

struct LocalTime {
    int hour = 0;    // 0-23
    int minute = 0;  // 0-59
    int second = 0;  // 0-59

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

class TimeSource {
  public:
    virtual ~TimeSource() = default;
    virtual LocalTime Now() = 0;

  protected:
    TimeSource() = default;
    TimeSource(const TimeSource&) = default;
    TimeSource& operator=(const TimeSource&) = default;
};

}  // namespace tavrino
