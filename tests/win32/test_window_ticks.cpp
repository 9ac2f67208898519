// The program's tick: one per request, replaced by a new request, cancelled; and the broadcasts
// that the wall clock jumped or the machine woke up.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>

#include "win32/WindowTicks.h"

namespace tavrino::win32 {
namespace {

using std::chrono::milliseconds;

class CountingEvents final : public TickEvents {
  public:
    int ticks = 0;
    int wallClockChanges = 0;
    void OnTick() override { ++ticks; }
    void OnWallClockChanged() override { ++wallClockChanges; }
};

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < ms) {
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
    ticks.RequestTick(milliseconds(150));
    PumpFor(60);
    EXPECT_EQ(events.ticks, 0);
    PumpFor(400);
    EXPECT_EQ(events.ticks, 1);

    // No delay still waits for the system's shortest timer, and then ticks.
    ticks.RequestTick(milliseconds(0));
    PumpFor(200);
    EXPECT_EQ(events.ticks, 2);
}

TEST_F(WindowTicksTest, ANewRequestReplacesAPendingOneAndCancelStopsIt) {
    ticks.RequestTick(milliseconds(50));
    ticks.RequestTick(milliseconds(300));
    PumpFor(150);
    EXPECT_EQ(events.ticks, 0);
    PumpFor(400);
    EXPECT_EQ(events.ticks, 1);

    ticks.RequestTick(milliseconds(50));
    ticks.CancelTick();
    PumpFor(250);
    EXPECT_EQ(events.ticks, 1);
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
