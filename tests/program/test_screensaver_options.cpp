// The screensaver's own options in a run: a face on the primary monitor only, the drifting face,
// and both taking effect from the dialog at once.
#include <gtest/gtest.h>

#include "DrawnFaces.h"
#include "ProgramRun.h"

namespace tavrino {
namespace {

constexpr PixelRect kPrimaryRegion{800, 0, 1824, 768};  // where the primary lies in the window
constexpr PixelRect kLeftRegion{0, 100, 800, 700};

TEST(ScreensaverOptions, OnlyThePrimaryMonitorShowsAFaceUntilTheBoxIsTicked) {
    ProgramRun run("/S", {{"AllMonitors.scr", "0"}});
    run.fake.monitors = {{0, 0, 1024, 768}, {-800, 100, 0, 700}};
    run.fake.face.SetInnerSize(1824, 768);
    run.Start();
    EXPECT_EQ(Shown(run.fake.face), FacesOn({kPrimaryRegion}, run.fake.time));

    run.fake.face.ClearLog();
    run.fake.time.second = 58;
    run.program.TickEvents().OnTick();
    const auto drawn = run.fake.face.Circles();
    ASSERT_FALSE(drawn.empty());
    for (const CircleOp& circle : drawn) {
        EXPECT_GE(circle.x, static_cast<float>(kPrimaryRegion.left))
            << "drawn on the other monitor";
    }

    // From the dialog, the other monitor gets its face at once.
    run.Key(Key::F1);
    run.fake.face.ClearLog();
    run.Dialog().Click(CheckBox::AllMonitors);
    EXPECT_EQ(Shown(run.fake.face), FacesOn({kPrimaryRegion, kLeftRegion}, run.fake.time));
}

TEST(ScreensaverOptions, APreviewOffThePrimaryMonitorStaysBlackWhenOnlyThePrimaryShowsAFace) {
    for (const bool onPrimary : {true, false}) {
        SCOPED_TRACE(onPrimary);
        ProgramRun run("/P 1234", {{"AllMonitors.scr", "0"}});
        run.fake.monitors = {{0, 0, 1024, 768}, {1024, 0, 1824, 600}};
        run.clock.hostScreenRect =
            onPrimary ? PixelRect{0, 0, 152, 112} : PixelRect{1100, 10, 1252, 122};
        run.Start();
        run.fake.time.second = 58;
        run.program.TickEvents().OnTick();
        EXPECT_EQ(run.fake.face.Circles().empty(), !onPrimary);
    }
}

// A minute at whose end a full-screen face moves.
int MinuteBeforeAMove() {
    for (int minute = 0; minute < 1439; ++minute) {
        if (DriftOffset(minute, 1024, 768) != DriftOffset(minute + 1, 1024, 768)) {
            return minute;
        }
    }
    return -1;
}

TEST(ScreensaverOptions, ADriftingFaceMovesWholeAtTheMinuteAndOtherwiseDrawsOnlyChangedDots) {
    const int minute = MinuteBeforeAMove();
    ASSERT_GE(minute, 0);
    ProgramRun run("/S", {{"Drift.scr", "1"}});
    run.fake.face.SetInnerSize(1024, 768);
    run.fake.time = {minute / 60, minute % 60, 58, 0};
    run.Start();
    EXPECT_EQ(Shown(run.fake.face),
              FacesOn({{0, 0, 1024, 768}}, run.fake.time, DriftOffset(minute, 1024, 768)));

    const std::size_t circlesBefore = run.fake.face.Circles().size();
    const std::size_t clearsBefore = run.fake.face.Count(SurfaceOpKind::Clear);
    run.fake.time.second = 59;
    run.program.TickEvents().OnTick();
    EXPECT_LE(run.fake.face.Circles().size() - circlesBefore, 2u) << "more than the second's dot";

    // The whole history replayed: nothing of the face at its old place is left.
    run.fake.time = {(minute + 1) / 60, (minute + 1) % 60, 0, 0};
    run.program.TickEvents().OnTick();
    EXPECT_EQ(Shown(run.fake.face),
              FacesOn({{0, 0, 1024, 768}}, run.fake.time, DriftOffset(minute + 1, 1024, 768)));
    EXPECT_EQ(run.fake.face.Count(SurfaceOpKind::Clear), clearsBefore) << "the window was cleared";
}

}  // namespace
}  // namespace tavrino
