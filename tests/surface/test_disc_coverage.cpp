// The exact pixel areas of a disc, checked against the disc's whole area and against a fine
// numeric count that shares no code with the closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "surface/DiscCoverage.h"

namespace tavrino {
namespace {

double PixelArea(const Disc& disc, double cx, double cy, int i, int j) {
    return disc.Pixel(disc.Line(cx, i), disc.Line(cx, i + 1), disc.Line(cy, j),
                      disc.Line(cy, j + 1));
}

// Midpoint count on an n x n grid of sample points inside the pixel.
double SampledArea(double r, double cx, double cy, int i, int j, int n) {
    int inside = 0;
    for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
            const double dx = i + (sx + 0.5) / n - cx;
            const double dy = j + (sy + 0.5) / n - cy;
            inside += dx * dx + dy * dy <= r * r ? 1 : 0;
        }
    }
    return static_cast<double>(inside) / (n * n);
}

TEST(DiscCoverage, PixelAreasAddUpToTheDisc) {
    struct Case {
        double r;
        double cx;
        double cy;
    };
    for (const Case c : {Case{0.3, 5.5, 5.5}, Case{0.7, 5.2, 5.9}, Case{3.0, 10.0, 10.0},
                         Case{5.67, 20.5, 13.25}, Case{24.5, 100.123, 80.77}}) {
        const Disc disc(c.r);
        double sum = 0.0;
        for (int j = static_cast<int>(c.cy - c.r) - 1; j <= static_cast<int>(c.cy + c.r) + 1; ++j) {
            for (int i = static_cast<int>(c.cx - c.r) - 1; i <= static_cast<int>(c.cx + c.r) + 1;
                 ++i) {
                const double a = PixelArea(disc, c.cx, c.cy, i, j);
                EXPECT_GE(a, -1e-12);
                EXPECT_LE(a, 1.0 + 1e-12);
                sum += a;
            }
        }
        EXPECT_NEAR(sum, std::numbers::pi * c.r * c.r, 1e-9) << "radius " << c.r;
    }
}

TEST(DiscCoverage, EachPixelMatchesAFineCount) {
    const double r = 4.3;
    const double cx = 7.37;
    const double cy = 6.81;
    const Disc disc(r);
    for (int j = 1; j < 12; ++j) {
        for (int i = 2; i < 13; ++i) {
            EXPECT_NEAR(PixelArea(disc, cx, cy, i, j), SampledArea(r, cx, cy, i, j, 400), 2e-3)
                << "pixel " << i << ", " << j;
        }
    }
}

TEST(DiscCoverage, KnownShapes) {
    const Disc big(10.0);
    EXPECT_DOUBLE_EQ(PixelArea(big, 0.5, 0.5, 0, 0), 1.0);   // deep inside
    EXPECT_DOUBLE_EQ(PixelArea(big, 0.5, 0.5, 30, 0), 0.0);  // far outside
    // A disc of radius 1 centred on a pixel corner covers a quarter of it in each of the four
    // pixels around the corner.
    const Disc unit(1.0);
    EXPECT_NEAR(PixelArea(unit, 3.0, 3.0, 2, 2), std::numbers::pi / 4.0, 1e-12);
    EXPECT_NEAR(PixelArea(unit, 3.0, 3.0, 3, 3), std::numbers::pi / 4.0, 1e-12);
    // Radius 0 covers nothing.
    EXPECT_EQ(PixelArea(Disc(0.0), 3.0, 3.0, 3, 3), 0.0);
}

TEST(DiscCoverage, MirroredPixelsAreBitForBitEqual) {
    const Disc disc(5.17);
    const double cx = 232.5;
    const double cy = 32.5;
    for (int d = 0; d < 7; ++d) {
        for (int j = 26; j < 40; ++j) {
            EXPECT_EQ(PixelArea(disc, cx, cy, 232 - d, j), PixelArea(disc, cx, cy, 232 + d, j));
            EXPECT_EQ(PixelArea(disc, cx, cy, 232 - d, j),
                      PixelArea(disc, cx, cy, 232 - d, 64 - j));
        }
    }
}

TEST(DiscAxisCache, GivesTheLinesOfTheAskedDiscAndPlace) {
    DiscAxisCache cache;
    const Disc disc(3.5);
    const Disc other(2.0);
    const DiscAxis& first = cache.Get(disc, 10.25, 6, 15);
    EXPECT_EQ(&cache.Get(disc, 10.25, 6, 15), &first);  // the same column again
    // Another radius, place or range is another axis.
    EXPECT_NE(&cache.Get(other, 10.25, 6, 15), &first);
    EXPECT_NE(&cache.Get(disc, 10.5, 6, 15), &first);
    EXPECT_NE(&cache.Get(disc, 10.25, 6, 14), &first);
    // Fill every slot with other axes, then check what comes back for each request.
    for (std::size_t k = 0; k < DiscAxisCache::kSlots + 3; ++k) {
        const double centre = 4.75 + static_cast<double>(k);
        const DiscAxis& axis = cache.Get(other, centre, 0, 40);
        for (int line = 0; line <= 40; ++line) {
            ASSERT_EQ(axis[line].f, other.Line(centre, line).f);
            ASSERT_EQ(axis[line].sign, other.Line(centre, line).sign);
        }
    }
    const DiscAxis& again = cache.Get(disc, 10.25, 6, 15);
    for (int line = 6; line <= 15; ++line) {
        EXPECT_EQ(again[line].f, disc.Line(10.25, line).f);
        EXPECT_EQ(again[line].a, disc.Line(10.25, line).a);
    }
}

TEST(DiscAxisCache, AnAxisJustFoundIsNotTheNextOneRebuilt) {
    // A dot asks for four axes; one found in the cache must survive the others being built.
    DiscAxisCache cache;
    const Disc disc(2.5);
    for (std::size_t k = 0; k < DiscAxisCache::kSlots; ++k) {
        cache.Get(disc, 3.25 + static_cast<double>(k), 0, 40);
    }
    const DiscAxis& found = cache.Get(disc, 3.25, 0, 40);  // the oldest, found again
    for (int k = 0; k < 3; ++k) {
        cache.Get(disc, 100.5 + k, 90, 110);
    }
    for (int line = 0; line <= 40; ++line) {
        ASSERT_EQ(found[line].f, disc.Line(3.25, line).f) << line;
    }
}

}  // namespace
}  // namespace tavrino
