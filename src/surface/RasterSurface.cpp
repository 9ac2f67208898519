#include "surface/RasterSurface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "surface/CanvasRegion.h"

namespace tavrino {

namespace {

// Blending works on the three channels at once, each in its own 21-bit lane of a 64-bit word,
// with coverage in steps of 1/4096: a channel times a weight stays below 2^20.
constexpr int kWeightBits = 12;
constexpr std::uint32_t kWeightOne = 1u << kWeightBits;
constexpr std::uint64_t kLaneHalf = (kWeightOne / 2) * ((1ull << 42) | (1ull << 21) | 1ull);

constexpr std::uint64_t Spread(std::uint32_t pixel) {
    return (pixel & 0xFFu) | (std::uint64_t{pixel & 0xFF00u} << 13) |
           (std::uint64_t{pixel & 0xFF0000u} << 26);
}

constexpr std::uint32_t Gather(std::uint64_t lanes) {
    return static_cast<std::uint32_t>(((lanes >> kWeightBits) & 0xFFu) |
                                      (((lanes >> (21 + kWeightBits)) & 0xFFu) << 8) |
                                      (((lanes >> (42 + kWeightBits)) & 0xFFu) << 16));
}

static_assert(Gather(Spread(0xABCDEFu) * kWeightOne) == 0xABCDEFu);
static_assert(Gather(Spread(0xFFFFFFu) * kWeightOne + kLaneHalf) == 0xFFFFFFu);

// Coverage is never negative, so adding a half rounds it, without the library call of std::lround.
std::uint32_t Weight(double coverage) {
    // NOLINTNEXTLINE(bugprone-incorrect-roundings)
    return static_cast<std::uint32_t>(coverage * kWeightOne + 0.5);
}

std::uint32_t* RowOf(const ImageBuffer& image, int y) {
    return image.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.stride);
}

// A half-open run of pixel columns.
struct Run {
    int begin = 0;
    int end = 0;
    bool Holds(int i) const { return i >= begin && i < end; }
};

// How far from the centre a disc of radius r reaches inside the strip between v0 and v1 (both
// relative to the centre), at the strip's nearest point or at its farthest; negative when there
// is nothing.
double HalfChord(double r, double v0, double v1, bool nearest) {
    const double a0 = std::abs(v0);
    const double a1 = std::abs(v1);
    const double v = nearest ? ((v0 < 0.0 && v1 > 0.0) ? 0.0 : std::min(a0, a1)) : std::max(a0, a1);
    return v < r ? std::sqrt(r * r - v * v) : -1.0;
}

// The pixels of a row that a chord of that half length around cx touches, or that lie wholly
// within it, clipped to the columns first to last (never negative, so truncation rounds down).
Run RunOf(double cx, double half, bool touched, int first, int last) {
    if (half < 0.0) {
        return {first, first};
    }
    const auto lo = static_cast<double>(first);
    const auto hi = static_cast<double>(last);
    const double from = std::clamp(cx - half, lo, hi);
    const double to = std::clamp(cx + half, lo, hi);
    auto begin = static_cast<int>(from);
    auto end = static_cast<int>(to);
    if (touched) {
        end += static_cast<double>(end) < to ? 1 : 0;
    } else {
        begin += static_cast<double>(begin) < from ? 1 : 0;
    }
    return begin < end ? Run{begin, end} : Run{first, first};
}

}  // namespace

RasterSurface::RasterSurface(Canvas& canvas, Colour background)
    : canvas_(canvas), background_(background) {
    Clear();
}

PixmapView RasterSurface::Image() const {
    const ImageBuffer image = canvas_.Pixels();
    return {image.width, image.height, image.stride, image.pixels};
}

double RasterSurface::InnerWidth() const {
    return canvas_.Pixels().width;
}

double RasterSurface::InnerHeight() const {
    return canvas_.Pixels().height;
}

FillMode RasterSurface::GetFillMode() const {
    return fillMode_;
}

void RasterSurface::SetFillMode(FillMode mode) {
    fillMode_ = mode;
}

void RasterSurface::SetFillColour(Colour colour) {
    fill_ = colour;
}

void RasterSurface::Clear() {
    const ImageBuffer image = canvas_.Pixels();
    changed_ = {0, 0, image.width, image.height};
    const std::uint32_t background = PixelOf(background_);
    if (background == 0 && canvas_.Blank()) {
        return;
    }
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t* row = RowOf(image, y);
        std::fill(row, row + image.width, background);
    }
    canvas_.Drawn(changed_);
}

void RasterSurface::Refresh() {
    const ImageBuffer image = canvas_.Pixels();
    // The canvas may have shrunk since the change was noted.
    const PixelRect shown{changed_.left, changed_.top, std::min(changed_.right, image.width),
                          std::min(changed_.bottom, image.height)};
    changed_ = {};
    if (shown.Width() > 0 && shown.Height() > 0) {
        canvas_.Present(shown);
    }
}

namespace {

// Holds the region of the canvas, so that it exists before the surface that draws into it.
struct OwnedCanvasRegion {
    CanvasRegion canvas;
};

class RasterSurfaceRegion final : private OwnedCanvasRegion, public RasterSurface {
  public:
    RasterSurfaceRegion(Canvas& whole, const PixelRect& region, Colour background)
        : OwnedCanvasRegion{CanvasRegion(whole, region)}, RasterSurface(canvas, background) {}
};

}  // namespace

std::unique_ptr<Surface> RasterSurface::Region(const PixelRect& region) {
    return std::make_unique<RasterSurfaceRegion>(canvas_, region, background_);
}

void RasterSurface::NoteChange(const PixelRect& box) {
    canvas_.Drawn(box);
    if (changed_.Width() <= 0 || changed_.Height() <= 0) {
        changed_ = box;
        return;
    }
    changed_ = {std::min(changed_.left, box.left), std::min(changed_.top, box.top),
                std::max(changed_.right, box.right), std::max(changed_.bottom, box.bottom)};
}

namespace {

// A dot's colours as blending lanes, the same on every row it touches.
struct DotInk {
    std::uint64_t rim = 0;
    std::uint64_t fill = 0;
    std::uint64_t background = 0;
    std::uint32_t fillPixel = 0;
    bool solid = false;
};

// The rim's outer and inner edge as discs, with their pixel boundary lines over the dot's
// bounding box [left, right) x [top, bottom).
struct DotEdges {
    const Disc& outer;
    const Disc& inner;
    const DiscAxis& outerColumns;
    const DiscAxis& outerRows;
    const DiscAxis& innerColumns;
    const DiscAxis& innerRows;
    double cx = 0;
    double cy = 0;
    int left = 0;
    int right = 0;
};

// Works out row j of the dot and adds it to the mask.
void MaskDotRow(const DotEdges& e, int j, DotMask& mask) {
    const double v0 = j - e.cy;
    const double v1 = v0 + 1.0;
    // Outside `outerTouched` nothing is covered; inside `outerFull` the rim's outer edge covers
    // all; likewise for the inner edge. Only the rest needs the exact areas.
    const Run outerTouched =
        RunOf(e.cx, HalfChord(e.outer.Radius(), v0, v1, true), true, e.left, e.right);
    const Run outerFull =
        RunOf(e.cx, HalfChord(e.outer.Radius(), v0, v1, false), false, e.left, e.right);
    const Run innerTouched =
        RunOf(e.cx, HalfChord(e.inner.Radius(), v0, v1, true), true, e.left, e.right);
    Run innerFull = RunOf(e.cx, HalfChord(e.inner.Radius(), v0, v1, false), false, e.left, e.right);
    if (innerFull.begin >= innerFull.end) {
        innerFull = {outerTouched.end, outerTouched.end};
    }
    mask.rows.push_back({outerTouched.begin - e.left, innerFull.begin - e.left,
                         innerFull.end - e.left, outerTouched.end - e.left, mask.weights.size()});

    DiscRow outerRow(e.outer, e.outerRows[j], e.outerRows[j + 1]);
    DiscRow innerRow(e.inner, e.innerRows[j], e.innerRows[j + 1]);
    const auto weigh = [&](int i) {
        const double out =
            outerFull.Holds(i) ? 1.0 : std::clamp(outerRow.Pixel(e.outerColumns, i), 0.0, 1.0);
        const double in =
            innerTouched.Holds(i) ? std::clamp(innerRow.Pixel(e.innerColumns, i), 0.0, out) : 0.0;
        const std::uint32_t covered = Weight(out);
        const std::uint32_t inside = std::min(Weight(in), covered);
        mask.weights.push_back(
            {static_cast<std::uint16_t>(covered), static_cast<std::uint16_t>(inside)});
    };
    for (int i = outerTouched.begin; i < innerFull.begin; ++i) {
        weigh(i);
    }
    for (int i = innerFull.end; i < outerTouched.end; ++i) {
        weigh(i);
    }
}

// The dot owns every pixel it touches: the rim's and the fill's shares over the background,
// whatever the pixel showed before, so repainting a dot in other colours leaves nothing of the
// old one. A transparent fill is the exception: its share keeps what the pixel held, so that
// what lies inside a ring still shows through it.
void PaintRim(const RimWeight* weight, std::uint32_t* pixel, std::uint32_t* end,
              const DotInk& ink) {
    for (; pixel != end; ++pixel, ++weight) {
        const std::uint32_t covered = weight->covered;
        if (covered == 0) {
            continue;
        }
        const std::uint32_t inside = weight->inside;
        const std::uint64_t interior = ink.solid ? ink.fill : Spread(*pixel);
        *pixel = Gather(ink.rim * (covered - inside) + interior * inside +
                        ink.background * (kWeightOne - covered) + kLaneHalf);
    }
}

// Paints the mask with its bounding box's top left corner at (left, top).
void PaintMask(const DotMask& mask, const DotInk& ink, const ImageBuffer& image, int left,
               int top) {
    for (std::size_t j = 0; j < mask.rows.size(); ++j) {
        const MaskRow& r = mask.rows[j];
        std::uint32_t* row = RowOf(image, top + static_cast<int>(j)) + left;
        const RimWeight* weight = mask.weights.data() + r.firstWeight;
        PaintRim(weight, row + r.rimBegin, row + r.fillBegin, ink);
        if (ink.solid) {
            std::fill(row + r.fillBegin, row + r.fillEnd, ink.fillPixel);
        }
        PaintRim(weight + (r.fillBegin - r.rimBegin), row + r.fillEnd, row + r.rimEnd, ink);
    }
}

}  // namespace

void RasterSurface::Circle(float x, float y, float radius, Colour rim) {
    PaintDot(x, y, radius, rim, fill_, fillMode_ == FillMode::Solid);
}

// Every pixel the dot covers at all becomes wholly the background.
void RasterSurface::EraseCircle(float x, float y, float radius) {
    PaintDot(x, y, radius, background_, background_, true);
}

void RasterSurface::PaintDot(float x, float y, float radius, Colour rim, Colour fill, bool solid) {
    if (!(radius > 0.0f) || !std::isfinite(radius) || !std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    const double cx = x;
    const double cy = y;
    const double reach = double{radius} + kRimHalfWidth;
    const ImageBuffer image = canvas_.Pixels();
    const int left = static_cast<int>(std::max(std::floor(cx - reach), 0.0));
    const int top = static_cast<int>(std::max(std::floor(cy - reach), 0.0));
    const int right =
        static_cast<int>(std::min(std::ceil(cx + reach), static_cast<double>(image.width)));
    const int bottom =
        static_cast<int>(std::min(std::ceil(cy + reach), static_cast<double>(image.height)));
    if (left >= right || top >= bottom) {
        return;
    }

    const DotMaskCache::Lookup lookup =
        masks_.Get(DotKey{radius, cx - left, cy - top, right - left, bottom - top});
    if (!lookup.found) {
        MaskDot(radius, cx, cy, left, top, lookup.mask);
    }
    const DotInk ink{Spread(PixelOf(rim)), Spread(PixelOf(fill)), Spread(PixelOf(background_)),
                     PixelOf(fill), solid};
    PaintMask(lookup.mask, ink, image, left, top);
    NoteChange({left, top, right, bottom});
}

void RasterSurface::MaskDot(float radius, double cx, double cy, int left, int top, DotMask& mask) {
    const Disc outer(double{radius} + kRimHalfWidth);
    const Disc inner(double{radius} - kRimHalfWidth);
    const int right = left + mask.key.width;
    const int bottom = top + mask.key.height;
    const DotEdges edges{outer,
                         inner,
                         axes_.Get(outer, cx, left, right),
                         axes_.Get(outer, cy, top, bottom),
                         axes_.Get(inner, cx, left, right),
                         axes_.Get(inner, cy, top, bottom),
                         cx,
                         cy,
                         left,
                         right};
    for (int j = top; j < bottom; ++j) {
        MaskDotRow(edges, j, mask);
    }
}

}  // namespace tavrino
