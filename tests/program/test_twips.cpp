// Twips per pixel from the screen's resolution, and twips back to whole pixels.
#include <gtest/gtest.h>

#include "program/Twips.h"

namespace tavrino {
namespace {

TEST(TwipsPerPixel, FromTheResolutionWithNinetySixStandingInForNone) {
    const TwipsPerPixel usual = TwipsPerPixel::Of({96, 120});
    EXPECT_EQ(usual.x, 15.0f);
    EXPECT_EQ(usual.y, 12.0f);
    const TwipsPerPixel unknown = TwipsPerPixel::Of({0, -1});
    EXPECT_EQ(unknown.x, 15.0f);
    EXPECT_EQ(unknown.y, 15.0f);
}

TEST(TwipsPerPixel, TwipsRoundToTheNearestPixelHalvesAwayFromZero) {
    const TwipsPerPixel twips = TwipsPerPixel::Of({96, 96});
    EXPECT_EQ(twips.TwipsX(3), 45.0f);
    EXPECT_EQ(twips.PixelsX(22.5f), 2);
    EXPECT_EQ(twips.PixelsY(-22.5f), -2);
    EXPECT_EQ(twips.PixelsX(22.4f), 1);
    EXPECT_EQ(twips.RectFromTwips(-150, 3007.5f, 4500, 22.5f), (PixelRect{-10, 201, 290, 203}));
    EXPECT_EQ(MovedTo({1, 2, 11, 22}, -5, 7), (PixelRect{-5, 7, 5, 27}));
}

// The dialog's boxes round each edge, so that boxes meeting in twips meet on the screen, where
// rounding their sizes would leave a gap or an overlap.
TEST(TwipsPerPixel, BoxesRoundTheirEdgesAndFontsRoundDown) {
    const TwipsPerPixel twips = TwipsPerPixel::Of({120, 144});
    EXPECT_EQ(twips.BoxPixels({-30, 15, 1935, 30}), (PixelRect{-3, 2, 159, 5}));
    EXPECT_EQ(twips.BoxPixels({0, 0, 18, 10}).right, twips.BoxPixels({18, 0, 18, 10}).left);
    EXPECT_EQ(twips.FontPixels(14.25f), 28);  // 28.5 pixels at 144 an inch
    EXPECT_EQ(TwipsPerPixel::Of({96, 96}).FontPixels(8.25f), 11);
}

}  // namespace
}  // namespace tavrino
