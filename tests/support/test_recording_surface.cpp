// The recording surface is what the clock-face tests see of the surface, so it must log every
// call in order and report back the state a real surface would.
#include <gtest/gtest.h>

#include <sstream>

#include "support/RecordingSurface.h"

namespace tavrino {
namespace {

using Kind = SurfaceOpKind;

TEST(RecordingSurface, LogsEveryOperationInOrder) {
    RecordingSurface surface(300.0, 200.0);
    Surface& s = surface;
    EXPECT_EQ(s.InnerWidth(), 300.0);
    EXPECT_EQ(s.InnerHeight(), 200.0);
    EXPECT_EQ(s.GetFillMode(), FillMode::Transparent);
    s.SetFillMode(FillMode::Solid);
    s.SetFillColour(0x80FF80);
    s.Circle(1.5f, 2.5f, 3.0f, 0x008000);
    s.Clear();
    s.Refresh();

    const std::vector<Kind> expected{Kind::InnerWidth,  Kind::InnerHeight,   Kind::GetFillMode,
                                     Kind::SetFillMode, Kind::SetFillColour, Kind::Circle,
                                     Kind::Clear,       Kind::Refresh};
    EXPECT_EQ(surface.Kinds(), expected);
    EXPECT_EQ(surface.Log()[2].mode, FillMode::Transparent);
    EXPECT_EQ(surface.Log()[3].mode, FillMode::Solid);
    EXPECT_EQ(surface.Log()[4].colour, 0x80FF80u);
    EXPECT_EQ(surface.Count(Kind::Circle), 1u);
    EXPECT_EQ(surface.IndexOf(Kind::Clear), 6u);
    EXPECT_EQ(surface.IndexOf(Kind::InnerWidth), 0u);
}

TEST(RecordingSurface, CirclesCarryTheFillStateInEffect) {
    RecordingSurface surface(100.0, 100.0, FillMode::Solid);
    surface.SetFillColour(0x0000FF);
    surface.Circle(10.0f, 20.0f, 2.0f, 0x000080);
    surface.SetFillMode(FillMode::Transparent);
    surface.SetFillColour(0x00FF00);
    surface.Circle(30.0f, 40.0f, 4.0f, 0x008000);

    const std::vector<CircleOp> expected{
        {10.0f, 20.0f, 2.0f, 0x000080, 0x0000FF, FillMode::Solid},
        {30.0f, 40.0f, 4.0f, 0x008000, 0x00FF00, FillMode::Transparent}};
    EXPECT_EQ(surface.Circles(), expected);
    EXPECT_EQ(surface.CurrentFillColour(), 0x00FF00u);
}

TEST(RecordingSurface, TestControlsAreNotRecorded) {
    RecordingSurface surface;
    surface.SetInnerSize(640.0, 480.0);
    surface.ForceFillMode(FillMode::Solid);
    EXPECT_TRUE(surface.Log().empty());
    EXPECT_EQ(surface.IndexOf(Kind::Refresh), 0u);

    EXPECT_EQ(surface.InnerWidth(), 640.0);
    EXPECT_EQ(surface.GetFillMode(), FillMode::Solid);
    EXPECT_EQ(surface.CurrentFillMode(), FillMode::Solid);
    surface.ClearLog();
    EXPECT_TRUE(surface.Log().empty());
}

TEST(RecordingSurface, PrintsOperationsReadably) {
    RecordingSurface surface;
    surface.SetFillColour(0x80FF80);
    surface.Circle(1.5f, 2.0f, 3.0f, 0x008000);
    std::ostringstream out;
    out << surface.Log()[0] << "; " << surface.Log()[1];
    EXPECT_EQ(
        out.str(),
        "SetFillColour(0x80FF80); Circle(1.5, 2, r 3, rim 0x008000, fill 0x80FF80, Transparent)");
}

}  // namespace
}  // namespace tavrino
