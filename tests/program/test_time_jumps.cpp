// The running clock over days of simulated ticks while the local time jumps: midnights, summer
// time beginning and ending and the clock set back an hour, which only the next tick finds, and
// the clock set forward a day, which the system reports as a change of the wall clock.
// The program runs on real raster surfaces whose canvases show only what they present.
#include <gtest/gtest.h>

#include <unistd.h>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "program/Program.h"
#include "support/FakeFrontend.h"
#include "support/ScreenCanvas.h"
#include "surface/ImageSurface.h"

namespace tavrino {
namespace {

// Simulated time in milliseconds since the run began.
constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kHour = 3600 * kSecond;
constexpr std::int64_t kDay = 24 * kHour;
// A week natively; the build makes it a day under the sanitizers, which run many times slower.
constexpr std::int64_t kRunLength = TAVRINO_SIMULATED_DAYS * kDay;
constexpr std::int64_t kStartOfDay = 22 * kHour;  // the local time at the start

struct Jump {
    std::int64_t at;  // when it happens
    std::int64_t by;  // how far the local time moves
    bool announced;   // the system reports it; otherwise only the next tick finds it
};

// The first day holds every kind of jump but the end of summer time, so a one-day run sees them.
constexpr std::array kJumps{
    Jump{4 * kHour, kHour, false},                         // summer time begins: 02:00 reads 03:00
    Jump{14 * kHour + 30 * kSecond + 400, -kHour, false},  // set back an hour at 13:00:30.400
    Jump{20 * kHour + 700, kDay + 123, true},              // forward a day at 18:00:00.700
    Jump{3 * kDay + 5 * kHour - 123, -kHour, false},       // summer time ends: 03:00 reads 02:00
};

LocalTime LocalTimeAt(std::int64_t shiftedMs) {
    const std::int64_t ms = ((kStartOfDay + shiftedMs) % kDay + kDay) % kDay;
    return {static_cast<int>(ms / kHour), static_cast<int>(ms / 60'000 % 60),
            static_cast<int>(ms / kSecond % 60), static_cast<int>(ms % kSecond)};
}

struct FixedTime final : TimeSource {
    explicit FixedTime(LocalTime time) : time_(time) {}
    LocalTime Now() override { return time_; }
    LocalTime time_;
};

// The program over a fake frontend, drawing on a canvas a window shows.
struct ShownClock {
    ShownClock(int width, int height) : screen(width, height), reference(width, height) {
        fake.clock.events = &program.ClockEvents();
    }

    // A face drawn whole at the fake's time, with a face of its own on a cleared surface. The
    // surface is kept rather than made anew, so that the check allocates nothing per tick that
    // the sanitizers' quarantine would count as resident memory.
    int PixelsUnlikeAFreshRender() {
        reference.Clear();
        FixedTime clock(fake.time);
        Tavrino face(clock);
        face.InitClock(reference);
        face.DrawClock(Redraw::Everything);
        return DifferingPixels(screen.Screen(), reference.Image());
    }

    FakeFrontend fake;
    ScreenCanvas screen;
    RasterSurface surface{screen};
    Program program{fake.Seam(), surface};
    ImageSurface reference;
};

std::int64_t ResidentBytes() {
    long pages = 0;
    long resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<std::int64_t>(resident) * sysconf(_SC_PAGESIZE);
}

// Both clocks run on the same simulated time; the small one is checked after every tick and
// every jump, the large one once a simulated hour.
struct TwoClocks {
    // The local time at `at`, moved by the jumps so far.
    void SetTime(std::int64_t at) {
        now = at;
        small.fake.time = LocalTimeAt(now + shift);
        large.fake.time = small.fake.time;
    }

    // Takes the tick both clocks asked for, if they asked, and notes when it is due.
    void TakeTickRequest() {
        ASSERT_EQ(small.fake.pendingTick, large.fake.pendingTick);
        if (!small.fake.pendingTick) {
            return;
        }
        const std::int64_t delay = small.fake.pendingTick->count();
        small.fake.pendingTick.reset();
        large.fake.pendingTick.reset();
        // Never a second left out, and no tick that comes again at once for nothing.
        ASSERT_GT(delay, 0);
        ASSERT_LE(delay, kSecond + 5);
        tickDue = now + delay;
    }

    void Tick() {
        const std::int64_t hourBefore = now / kHour;
        SetTime(tickDue);
        small.program.TickEvents().OnTick();
        large.program.TickEvents().OnTick();
        ++ticks;
        ASSERT_TRUE(small.fake.pendingTick.has_value()) << "no tick asked for at " << now;
        // A new second shows as soon as it begins, whatever the jumps did to the tick's phase.
        ASSERT_LE(small.fake.time.millisecond, 10) << "a late tick at " << now;
        if (now / kHour != hourBefore) {
            ASSERT_EQ(large.PixelsUnlikeAFreshRender(), 0) << "1024x768 at " << now;
        }
    }

    // False when the jump goes unannounced, so that only the next tick can find it.
    bool JumpAnnounced(const Jump& jump) {
        shift += jump.by;
        SetTime(jump.at);
        if (jump.announced) {
            small.program.TickEvents().OnWallClockChanged();
            large.program.TickEvents().OnWallClockChanged();
        }
        return jump.announced;
    }

    ShownClock small{64, 64};
    ShownClock large{1024, 768};
    std::int64_t now = 0;
    std::int64_t shift = 0;  // how far the jumps so far moved the local time
    std::int64_t tickDue = 0;
    std::int64_t ticks = 0;
};

TEST(TimeJumps, TheFaceShowsEverySecondAcrossJumpsOfTheLocalTimeAndMemoryStaysFlat) {
    TwoClocks run;
    run.SetTime(0);
    run.small.program.Start(StartRequest{});
    run.large.program.Start(StartRequest{});
    ASSERT_EQ(run.small.PixelsUnlikeAFreshRender(), 0);
    ASSERT_EQ(run.large.PixelsUnlikeAFreshRender(), 0);
    ASSERT_TRUE(run.small.fake.pendingTick.has_value());
    run.TakeTickRequest();
    const std::int64_t residentAtStart = ResidentBytes();

    std::size_t nextJump = 0;
    while (run.now < kRunLength && !::testing::Test::HasFatalFailure()) {
        if (nextJump < kJumps.size() && kJumps[nextJump].at < run.tickDue) {
            if (!run.JumpAnnounced(kJumps[nextJump++])) {
                continue;
            }
        } else {
            run.Tick();
        }
        run.TakeTickRequest();
        ASSERT_EQ(run.small.PixelsUnlikeAFreshRender(), 0) << "64x64 at " << run.now;
    }
    EXPECT_EQ(nextJump, TAVRINO_SIMULATED_DAYS > 3 ? kJumps.size() : kJumps.size() - 1);
    EXPECT_LE(std::abs(run.ticks - kRunLength / kSecond), 4);
    EXPECT_LT(ResidentBytes() - residentAtStart, 1 << 20);
}

}  // namespace
}  // namespace tavrino
