// The raster surface as its pixels show it: dot colours, coverage, clipping, symmetry and the
// retained image's life cycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

#include "surface/ImageSurface.h"
#include "surface/MemoryCanvas.h"

namespace tavrino {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRim = 0x2040C0;   // R 0xC0, G 0x40, B 0x20
constexpr Colour kFill = 0x80FF10;  // R 0x10, G 0xFF, B 0x80
constexpr Colour kBack = 0x563412;

std::vector<std::uint32_t> Pixels(const RasterSurface& s) {
    const PixmapView v = s.Image();
    std::vector<std::uint32_t> out;
    for (int y = 0; y < v.height; ++y) {
        for (int x = 0; x < v.width; ++x) {
            out.push_back(v.At(x, y));
        }
    }
    return out;
}

double Brightness(const RasterSurface& s) {
    double sum = 0.0;
    for (const std::uint32_t p : Pixels(s)) {
        sum += (p & 0xFFu) / 255.0;
    }
    return sum;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d =
            static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        worst = std::max(worst, std::abs(d));
    }
    return worst;
}

void Dot(RasterSurface& s, FillMode mode, float x, float y, float r) {
    s.SetFillMode(mode);
    s.SetFillColour(kFill);
    s.Circle(x, y, r, kRim);
}

TEST(RasterSurface, CoverageAddsUpToTheDiscArea) {
    const float r = 6.3f;
    ImageSurface solid(40, 40);
    solid.SetFillMode(FillMode::Solid);
    solid.SetFillColour(kWhite);
    solid.Circle(20.3f, 17.8f, r, kWhite);
    const double outer = r + 0.5;
    EXPECT_NEAR(Brightness(solid), std::numbers::pi * outer * outer, 0.2);

    // Without the fill only the ring one pixel wide remains: 2 pi r.
    ImageSurface ring(40, 40);
    ring.SetFillMode(FillMode::Transparent);
    ring.Circle(20.3f, 17.8f, r, kWhite);
    EXPECT_NEAR(Brightness(ring), 2.0 * std::numbers::pi * r, 0.2);
}

TEST(RasterSurface, CentreTakesTheFillAndTheEdgeTheRim) {
    ImageSurface s(64, 64);
    Dot(s, FillMode::Solid, 32.5f, 32.5f, 12.0f);
    const PixmapView v = s.Image();
    EXPECT_EQ(v.At(32, 32), PixelOf(kFill));
    EXPECT_EQ(v.At(32, 28), PixelOf(kFill));
    // Pixels whose centre lies on the circle are almost wholly rim.
    for (const auto& [x, y] : {std::pair{32, 20}, std::pair{44, 32}, std::pair{32, 44}}) {
        EXPECT_LE(ChannelDistance(v.At(x, y), PixelOf(kRim)), 4) << x << ", " << y;
    }
    EXPECT_EQ(v.At(32, 18), 0u);  // beyond the rim
}

TEST(RasterSurface, TakesItsColoursOverTheBackgroundNotWhatWasThere) {
    // Radius 1.5 centred on the pixel corner (10, 10): the rim runs between the discs of radius
    // 1 and 2. Each pixel touching the corner is wholly inside the outer disc, pi / 4 of it
    // inside the inner one. Pixel (11, 10) holds a piece of the outer disc only:
    // (sqrt 3 - 1) + (pi / 3 - sqrt 3 / 2) of it.
    const double inner = std::numbers::pi / 4.0;
    const double side = std::sqrt(3.0) - 1.0 + std::numbers::pi / 3.0 - std::sqrt(3.0) / 2.0;
    const Colour old = MakeColour(0x33, 0xEE, 0x99);
    const auto mix = [](Colour a, double wa, Colour b, double wb, Colour c, double wc) {
        std::uint32_t out = 0;
        for (const auto channel : {RedOf, GreenOf, BlueOf}) {
            out = (out << 8) | static_cast<std::uint32_t>(std::lround(
                                   channel(a) * wa + channel(b) * wb + channel(c) * wc));
        }
        return out;
    };
    for (const FillMode mode : {FillMode::Solid, FillMode::Transparent}) {
        ImageSurface s(20, 20, kBack);
        s.SetFillMode(FillMode::Solid);
        s.SetFillColour(old);
        s.Circle(10.0f, 10.0f, 100.0f, old);  // something else everywhere first
        Dot(s, mode, 10.0f, 10.0f, 1.5f);
        // The fill's share is the fill colour, or what the pixel held under a transparent fill;
        // the share outside the dot is always the background.
        const Colour interior = mode == FillMode::Solid ? kFill : old;
        const PixmapView v = s.Image();
        for (const auto& [x, y] :
             {std::pair{9, 9}, std::pair{10, 9}, std::pair{9, 10}, std::pair{10, 10}}) {
            EXPECT_LE(
                ChannelDistance(v.At(x, y), mix(kRim, 1.0 - inner, interior, inner, kBack, 0)), 1)
                << x << ", " << y;
        }
        for (const auto& [x, y] :
             {std::pair{11, 10}, std::pair{8, 9}, std::pair{10, 8}, std::pair{9, 11}}) {
            EXPECT_LE(ChannelDistance(v.At(x, y), mix(kRim, side, interior, 0, kBack, 1.0 - side)),
                      1)
                << x << ", " << y;
        }
        EXPECT_EQ(v.At(7, 9), PixelOf(old));  // outside the dot's box: untouched
    }
}

TEST(RasterSurface, RedrawingADotLeavesOnlyTheLastOne) {
    // A dot repainted in other colours, as the face does when a second or a digit changes, must
    // look exactly like that dot drawn alone: nothing of the first shows at its edge.
    struct Case {
        float x;
        float y;
        float r;
    };
    for (const Case c : {Case{20.5f, 20.5f, 7.0f}, Case{19.0f, 21.0f, 7.3f},
                         Case{20.37f, 19.81f, 5.17f}, Case{20.2f, 20.9f, 0.4f}}) {
        ImageSurface alone(41, 41, kBack);
        alone.SetFillMode(FillMode::Solid);
        alone.SetFillColour(kFill);
        alone.Circle(c.x, c.y, c.r, kRim);

        ImageSurface redrawn(41, 41, kBack);
        redrawn.SetFillMode(FillMode::Solid);
        redrawn.SetFillColour(kWhite);
        redrawn.Circle(c.x, c.y, c.r, kWhite);
        redrawn.SetFillColour(kFill);
        redrawn.Circle(c.x, c.y, c.r, kRim);
        redrawn.Circle(c.x, c.y, c.r, kRim);  // and once more: nothing builds up
        EXPECT_EQ(Pixels(redrawn), Pixels(alone)) << "dot at " << c.x << ", " << c.y;
    }
}

TEST(RasterSurface, TransparentFillLeavesTheInterior) {
    ImageSurface s(64, 64, kBack);
    Dot(s, FillMode::Transparent, 30.25f, 33.5f, 12.0f);
    const PixmapView v = s.Image();
    EXPECT_EQ(v.At(30, 33), PixelOf(kBack));
    EXPECT_EQ(v.At(25, 38), PixelOf(kBack));
    EXPECT_LE(ChannelDistance(v.At(30, 21), PixelOf(kRim)), 8);
}

TEST(RasterSurface, NothingChangesOutsideTheBoundingBox) {
    struct Case {
        float x;
        float y;
        float r;
    };
    for (const Case c : {Case{20.5f, 20.5f, 7.0f}, Case{19.0f, 21.0f, 7.3f},
                         Case{20.37f, 19.81f, 5.17f}, Case{20.0f, 20.0f, 0.2f}}) {
        ImageSurface s(48, 48, kBack);
        Dot(s, FillMode::Solid, c.x, c.y, c.r);
        const int left = static_cast<int>(std::floor(c.x - c.r - 0.5f));
        const int right = static_cast<int>(std::ceil(c.x + c.r + 0.5f));
        const int top = static_cast<int>(std::floor(c.y - c.r - 0.5f));
        const int bottom = static_cast<int>(std::ceil(c.y + c.r + 0.5f));
        int changed = 0;
        const PixmapView v = s.Image();
        for (int y = 0; y < v.height; ++y) {
            for (int x = 0; x < v.width; ++x) {
                const bool inBox = x >= left && x < right && y >= top && y < bottom;
                if (v.At(x, y) != PixelOf(kBack)) {
                    ++changed;
                    EXPECT_TRUE(inBox) << "pixel " << x << ", " << y << " radius " << c.r;
                }
            }
        }
        EXPECT_GT(changed, 0);
    }
}

TEST(RasterSurface, ClippedDotsMatchTheUnclippedOnes) {
    // The same dot drawn on a small image and, shifted by a margin, on one large enough to hold
    // it whole: the small image must be exactly the large one's window onto it.
    constexpr int kW = 30;
    constexpr int kH = 20;
    constexpr int kMargin = 16;
    const float places[] = {-8.75f, -3.5f, 0.25f, 4.5f, 15.0f, 25.5f, 29.75f, 34.25f, 38.5f};
    for (const float x : places) {
        for (const float y : places) {
            ImageSurface small(kW, kH, kBack);
            ImageSurface large(kW + 2 * kMargin, kH + 2 * kMargin, kBack);
            Dot(small, FillMode::Solid, x, y, 6.3f);
            Dot(large, FillMode::Solid, x + kMargin, y + kMargin, 6.3f);
            for (int py = 0; py < kH; ++py) {
                for (int px = 0; px < kW; ++px) {
                    ASSERT_EQ(small.Image().At(px, py),
                              large.Image().At(px + kMargin, py + kMargin))
                        << "dot at " << x << ", " << y << " pixel " << px << ", " << py;
                }
            }
        }
    }
}

TEST(RasterSurface, DotsDrawnAgainMatchDotsDrawnOnAFreshSurface) {
    // The surface reuses the coverage of dots it has drawn: a dot that differs from an earlier
    // one only by its sub-pixel offset, its radius or its clipping must not get the earlier
    // one's pixels, and one that is the same but moved by whole pixels must.
    struct Case {
        float x;
        float y;
        float r;
    };
    const Case cases[] = {{10.25f, 10.5f, 4.3f}, {30.25f, 20.5f, 4.3f}, {10.75f, 10.5f, 4.3f},
                          {10.25f, 10.0f, 4.3f}, {10.25f, 10.5f, 4.4f}, {1.25f, 10.5f, 4.3f},
                          {30.25f, 26.5f, 4.3f}};
    ImageSurface reused(32, 28, kBack);
    for (int pass = 0; pass < 2; ++pass) {
        for (const Case c : cases) {
            ImageSurface fresh(32, 28, kBack);
            Dot(fresh, FillMode::Solid, c.x, c.y, c.r);
            reused.Clear();
            Dot(reused, FillMode::Solid, c.x, c.y, c.r);
            ASSERT_EQ(Pixels(reused), Pixels(fresh)) << "dot at " << c.x << ", " << c.y;
        }
    }
}

TEST(RasterSurface, DotsCentredOnHalvesAndWholesAreMirrorSymmetric) {
    // Centre at a pixel's middle (x.5) mirrors about that pixel, at a whole number about the
    // boundary between two pixels.
    struct Case {
        float x;
        float y;
        int mirrorX;  // x + x' of mirrored pixels
        int mirrorY;
    };
    for (const FillMode mode : {FillMode::Solid, FillMode::Transparent}) {
        for (const Case c :
             {Case{20.5f, 20.5f, 40, 40}, Case{20.0f, 20.5f, 39, 40}, Case{20.5f, 21.0f, 40, 41}}) {
            for (const float r : {5.17f, 2.8f, 11.0f}) {
                ImageSurface s(41, 42, kBack);
                Dot(s, mode, c.x, c.y, r);
                const PixmapView v = s.Image();
                for (int y = 0; y <= c.mirrorY; ++y) {
                    for (int x = 0; x <= c.mirrorX; ++x) {
                        ASSERT_EQ(v.At(x, y), v.At(c.mirrorX - x, y)) << x << ", " << y;
                        ASSERT_EQ(v.At(x, y), v.At(x, c.mirrorY - y)) << x << ", " << y;
                    }
                }
            }
        }
    }
}

TEST(RasterSurface, EmptyOrFarDotsDrawNothing) {
    ImageSurface s(32, 24, kBack);
    const std::vector<std::uint32_t> before = Pixels(s);
    Dot(s, FillMode::Solid, 16.0f, 12.0f, 0.0f);
    Dot(s, FillMode::Solid, 16.0f, 12.0f, -3.0f);
    Dot(s, FillMode::Solid, 16.0f, 12.0f, std::nanf(""));
    Dot(s, FillMode::Solid, std::nanf(""), 12.0f, 4.0f);
    Dot(s, FillMode::Solid, -10.0f, 12.0f, 4.0f);  // ends 5.5 left of the image
    Dot(s, FillMode::Solid, 16.0f, 40.0f, 10.0f);  // starts below it
    Dot(s, FillMode::Solid, 1e30f, -1e30f, 5.0f);  // nowhere near
    Dot(s, FillMode::Solid, 36.0f, 28.0f, 3.4f);   // beyond the corner
    EXPECT_EQ(Pixels(s), before);

    ImageSurface none;  // no pixels at all
    Dot(none, FillMode::Solid, 0.0f, 0.0f, 5.0f);
    EXPECT_EQ(none.Image().width, 0);
}

TEST(RasterSurface, AHugeDotFillsTheImage) {
    ImageSurface s(16, 12, kBack);
    Dot(s, FillMode::Solid, 8.0f, 6.0f, 1e6f);
    for (const std::uint32_t p : Pixels(s)) {
        ASSERT_EQ(p, PixelOf(kFill));
    }
}

TEST(RasterSurface, ClearAndResizeRestoreTheBackground) {
    ImageSurface s(20, 10, kBack);
    EXPECT_EQ(s.InnerWidth(), 20.0);
    EXPECT_EQ(s.InnerHeight(), 10.0);
    Dot(s, FillMode::Solid, 10.0f, 5.0f, 4.0f);
    ASSERT_NE(s.Image().At(10, 5), PixelOf(kBack));
    s.Clear();
    EXPECT_EQ(Pixels(s), std::vector<std::uint32_t>(200, PixelOf(kBack)));

    Dot(s, FillMode::Solid, 10.0f, 5.0f, 4.0f);
    s.Resize(7, 9);
    EXPECT_EQ(s.InnerWidth(), 7.0);
    EXPECT_EQ(s.InnerHeight(), 9.0);
    EXPECT_EQ(s.Image().stride, 7);
    EXPECT_EQ(Pixels(s), std::vector<std::uint32_t>(63, PixelOf(kBack)));

    s.Resize(-4, 3);
    EXPECT_EQ(s.InnerWidth(), 0.0);
    EXPECT_EQ(s.InnerHeight(), 3.0);
}

TEST(RasterSurface, FillModeAndColourAreKept) {
    ImageSurface s(4, 4);
    EXPECT_EQ(s.GetFillMode(), FillMode::Transparent);
    s.SetFillMode(FillMode::Solid);
    EXPECT_EQ(s.GetFillMode(), FillMode::Solid);
    s.SetFillColour(kFill);
    s.Circle(2.0f, 2.0f, 30.0f, kRim);
    EXPECT_EQ(s.Image().At(0, 0), PixelOf(kFill));
}

// A frontend's canvas: rows wider than the image, and a record of what it was asked to show.
class PaddedCanvas final : public Canvas {
  public:
    static constexpr int kWidth = 5;
    static constexpr int kHeight = 3;
    static constexpr int kStride = 8;
    static constexpr std::uint32_t kPadding = 0xABCDEFu;

    std::vector<std::uint32_t> pixels =
        std::vector<std::uint32_t>(std::size_t{kStride} * kHeight, kPadding);
    std::vector<PixelRect> presented;

    ImageBuffer Pixels() override { return {kWidth, kHeight, kStride, pixels.data()}; }
    void Present(const PixelRect& changed) override { presented.push_back(changed); }
};

TEST(RasterSurface, DrawsIntoTheCanvasWithinItsRowsAndPresentsOnRefresh) {
    PaddedCanvas canvas;
    RasterSurface s(canvas, kBack);
    EXPECT_EQ(s.InnerWidth(), 5.0);
    EXPECT_EQ(s.InnerHeight(), 3.0);
    s.SetFillMode(FillMode::Solid);
    s.SetFillColour(kFill);
    s.Circle(2.0f, 1.0f, 50.0f, kRim);
    s.Clear();
    EXPECT_TRUE(canvas.presented.empty());  // only Refresh presents
    s.Circle(2.0f, 1.0f, 50.0f, kRim);
    s.Refresh();
    EXPECT_EQ(canvas.presented, std::vector<PixelRect>{(PixelRect{0, 0, 5, 3})});
    for (int y = 0; y < PaddedCanvas::kHeight; ++y) {
        for (int x = 0; x < PaddedCanvas::kStride; ++x) {
            const std::uint32_t expected =
                x < PaddedCanvas::kWidth ? PixelOf(kFill) : PaddedCanvas::kPadding;
            ASSERT_EQ(canvas.pixels[static_cast<std::size_t>(y * PaddedCanvas::kStride + x)],
                      expected)
                << x << "," << y;
        }
    }
}

// A canvas in memory that keeps what it was asked to show.
class ShowingCanvas final : public Canvas {
  public:
    MemoryCanvas memory{40, 30};
    std::vector<PixelRect> presented;

    ImageBuffer Pixels() override { return memory.Pixels(); }
    void Present(const PixelRect& changed) override { presented.push_back(changed); }
};

TEST(RasterSurface, RefreshShowsOnlyTheBoxOfTheDotsDrawnSinceTheLastOne) {
    ShowingCanvas canvas;
    RasterSurface s(canvas, kBack);
    s.Refresh();  // a new surface shows its whole image first
    canvas.presented.clear();
    s.Circle(30.0f, 20.0f, 3.0f, kRim);
    s.Circle(-4.0f, 20.0f, 3.0f, kRim);  // its box ends on the image's left edge
    s.Refresh();
    s.Circle(20.0f, 10.0f, 3.0f, kRim);
    s.Refresh();
    s.Refresh();  // nothing new to show
    EXPECT_EQ(canvas.presented, (std::vector<PixelRect>{{26, 16, 34, 24}, {16, 6, 24, 14}}));

    // Cleared while it had no width, then given some: the first dot is still shown alone.
    canvas.memory.Resize(0, 30);
    s.Clear();
    canvas.memory.Resize(40, 30);
    s.Circle(30.0f, 20.0f, 3.0f, kRim);
    s.Refresh();
    EXPECT_EQ(canvas.presented.back(), (PixelRect{26, 16, 34, 24}));
}

// A canvas that says its fresh memory is all black until something is drawn. It holds another
// colour in truth, so that a clear that writes anyway shows.
class BlankCanvas final : public Canvas {
  public:
    BlankCanvas() {
        const ImageBuffer image = memory.Pixels();
        std::fill_n(image.pixels, static_cast<std::size_t>(image.width * image.height), 0x123456u);
    }
    MemoryCanvas memory{40, 30};
    bool blank = true;
    PixelRect drawn;

    ImageBuffer Pixels() override { return memory.Pixels(); }
    void Present(const PixelRect& /*changed*/) override {}
    bool Blank() const override { return blank; }
    void Drawn(const PixelRect& box) override {
        blank = false;
        drawn = box;
    }
};

TEST(RasterSurface, AClearToBlackLeavesABlankCanvasUntouchedUntilADotIsDrawnInAnyPart) {
    BlankCanvas canvas;
    RasterSurface s(canvas, 0x000000);
    s.Clear();
    EXPECT_EQ(canvas.memory.View().At(5, 5), 0x123456u);
    s.Region({20, 0, 40, 30})->Circle(10.0f, 10.0f, 3.0f, kRim);
    EXPECT_FALSE(canvas.blank);
    EXPECT_EQ(canvas.drawn, (PixelRect{26, 6, 34, 14}));  // in the whole canvas
    s.Clear();
    EXPECT_EQ(canvas.memory.View().At(5, 5), 0u);
    EXPECT_EQ(canvas.memory.View().At(30, 10), 0u);
    EXPECT_EQ(canvas.drawn, (PixelRect{0, 0, 40, 30}));  // a copy of the image needs the clear too

    BlankCanvas other;
    RasterSurface coloured(other, kBack);  // a clear to another colour always paints it
    EXPECT_EQ(other.memory.View().At(5, 5), PixelOf(kBack));
    EXPECT_FALSE(other.blank);
}

}  // namespace
}  // namespace tavrino
