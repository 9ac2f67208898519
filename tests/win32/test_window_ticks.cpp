// The program's tick: one per request, replaced by a new request, cancelled; and the broadcasts
// that the wall clock jumped or the machine woke up.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <vector>

#include "win32/WindowTicks.h"

namespace tavrino::win32 {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// The system's timer is coarse: a tick may come this much before its delay has passed.
constexpr milliseconds kTimerSlack{20};
// A busy machine may hold a tick back for long; only a tick that never comes is a fault.
constexpr milliseconds kLongestWait{5000};

class CountingEvents final : public TickEvents {
  public:
    std::vector<steady_clock::time_point> ticks;  // when each tick came
    int wallClockChanges = 0;
    void OnTick() override { ticks.push_back(steady_clock::now()); }
    void OnWallClockChanged() override { ++wallClockChanges; }
};

// Runs the message loop for at least `least`, and on until `ticks` ticks have come or the longest
// wait has passed. Late ticks pass; early or extra ones are caught by what the test asks after.
void Pump(const CountingEvents& events, milliseconds least, std::size_t ticks = 0) {
    const auto start = steady_clock::now();
    MSG message;
    while (steady_clock::now() - start < least ||
           (events.ticks.size() < ticks && steady_clock::now() - start < kLongestWait)) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

class WindowTicksTest : public testing::Test {
  protected:
    WindowTicks ticks{GetModuleHandleW(nullptr)};
    CountingEvents events;

    void SetUp() override {
        ASSERT_NE(ticks.Handle(), nullptr);
        ticks.SetEvents(events);
    }
};

TEST_F(WindowTicksTest, ARequestGivesOneTickAfterItsDelay) {
    const auto requested = steady_clock::now();
    ticks.RequestTick(milliseconds(150));
    Pump(events, milliseconds(250), 1);
    ASSERT_EQ(events.ticks.size(), 1U);
    EXPECT_GE(events.ticks[0] - requested, milliseconds(150) - kTimerSlack);

    // No delay still waits for the system's shortest timer, and then ticks, once.
    ticks.RequestTick(milliseconds(0));
    Pump(events, milliseconds(200), 2);
    EXPECT_EQ(events.ticks.size(), 2U);
}

TEST_F(WindowTicksTest, ANewRequestReplacesAPendingOneAndCancelStopsIt) {
    const auto requested = steady_clock::now();
    ticks.RequestTick(milliseconds(50));
    ticks.RequestTick(milliseconds(300));
    Pump(events, milliseconds(450), 1);
    ASSERT_EQ(events.ticks.size(), 1U);
    EXPECT_GE(events.ticks[0] - requested, milliseconds(300) - kTimerSlack);

    ticks.RequestTick(milliseconds(50));
    ticks.CancelTick();
    Pump(events, milliseconds(250));
    EXPECT_EQ(events.ticks.size(), 1U);
}

TEST_F(WindowTicksTest, ATimeChangeOrAWakeUpIsAChangeOfTheWallClock) {
    // Sent to every top-level window, as the system does when the time is set.
    SendMessageTimeoutW(HWND_BROADCAST, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(events.wallClockChanges, 1);
    SendMessageTimeoutW(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0,
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageW(ticks.Handle(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_EQ(events.wallClockChanges, 3);
    SendMessageW(ticks.Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);  // going to sleep
    EXPECT_EQ(events.wallClockChanges, 3);

    ticks.DisconnectEvents();
    SendMessageW(ticks.Handle(), WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(events.wallClockChanges, 3);
}

}  // namespace
}  // namespace tavrino::win32
