// The local time, and the tick that wakes the program to show it.
#pragma once

#include <chrono>

namespace tavrino {

struct LocalTime {
    int hour = 0;         // 0-23
    int minute = 0;       // 0-59
    int second = 0;       // 0-59
    int millisecond = 0;  // 0-999

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// Where the clock reads the time: the system's local time, or a fixed or scripted one.
class TimeSource {
  public:
    virtual ~TimeSource() = default;
    virtual LocalTime Now() = 0;

  protected:
    TimeSource() = default;
    TimeSource(const TimeSource&) = default;
    TimeSource& operator=(const TimeSource&) = default;
};

// One tick at a time, asked for by the program: after `delay` the frontend raises
// TickEvents::OnTick once. A new request replaces a pending one.
class Ticks {
  public:
    virtual ~Ticks() = default;
    virtual void RequestTick(std::chrono::milliseconds delay) = 0;
    virtual void CancelTick() = 0;

  protected:
    Ticks() = default;
    Ticks(const Ticks&) = default;
    Ticks& operator=(const Ticks&) = default;
};

class TickEvents {
  public:
    virtual ~TickEvents() = default;
    virtual void OnTick() = 0;
    // The wall clock jumped (the user or a time service set it) or the machine woke from sleep:
    // whatever the clock shows may be stale.
    virtual void OnWallClockChanged() = 0;

  protected:
    TickEvents() = default;
    TickEvents(const TickEvents&) = default;
    TickEvents& operator=(const TickEvents&) = default;
};

}  // namespace tavrino
