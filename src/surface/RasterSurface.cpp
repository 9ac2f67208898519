#include "surface/RasterSurface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace tavrino {

namespace {

struct Ink {
    float r;
    float g;
    float b;
};

Ink InkOf(Colour c) {
    return {static_cast<float>(RedOf(c)), static_cast<float>(GreenOf(c)),
            static_cast<float>(BlueOf(c))};
}

std::uint32_t Channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFFu;
}

std::uint32_t Mix(float old, float oldWeight, float rim, float rimWeight, float fill,
                  float fillWeight) {
    const float v = old * oldWeight + rim * rimWeight + fill * fillWeight + 0.5f;
    return static_cast<std::uint32_t>(std::clamp(v, 0.0f, 255.0f));
}

// The part of a pixel row that the rim's outer edge reaches, and inside it the part that lies
// wholly within the rim's inner edge.
struct RowSpan {
    int touchedBegin;
    int touchedEnd;
    int innerBegin;
    int innerEnd;
};

// How far from the centre a disc of radius r reaches inside the strip between v0 and v1 (both
// relative to the centre), at the strip's nearest point or at its farthest; negative when the
// strip misses the disc.
double HalfChord(double r, double v0, double v1, bool nearest) {
    const double a0 = std::abs(v0);
    const double a1 = std::abs(v1);
    const double v = nearest ? ((v0 < 0.0 && v1 > 0.0) ? 0.0 : std::min(a0, a1)) : std::max(a0, a1);
    return v < r ? std::sqrt(r * r - v * v) : -1.0;
}

RowSpan SpanOf(double cx, double cy, int row, const Disc& outer, const Disc& inner, int first,
               int last) {
    const double v0 = row - cy;
    const double v1 = v0 + 1.0;
    RowSpan span{first, first, first, first};
    const double reach = HalfChord(outer.Radius(), v0, v1, true);
    if (reach < 0.0) {
        return span;
    }
    span.touchedBegin =
        static_cast<int>(std::max(std::floor(cx - reach), static_cast<double>(first)));
    span.touchedEnd = static_cast<int>(std::min(std::ceil(cx + reach), static_cast<double>(last)));
    span.innerBegin = span.innerEnd = span.touchedEnd;
    const double full = HalfChord(inner.Radius(), v0, v1, false);
    if (full > 0.0) {
        const int begin =
            static_cast<int>(std::max(std::ceil(cx - full), static_cast<double>(first)));
        const int end =
            static_cast<int>(std::min(std::floor(cx + full), static_cast<double>(last)));
        if (begin < end) {
            span.innerBegin = std::max(begin, span.touchedBegin);
            span.innerEnd = std::max(end, span.innerBegin);
        }
    }
    return span;
}

}  // namespace

RasterSurface::RasterSurface(int width, int height, Colour background) : background_(background) {
    Resize(width, height);
}

void RasterSurface::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                   PixelOf(background_));
}

PixmapView RasterSurface::Image() const {
    return {width_, height_, width_, pixels_.data()};
}

void RasterSurface::SetPresenter(Presenter presenter) {
    presenter_ = std::move(presenter);
}

double RasterSurface::InnerWidth() const {
    return width_;
}

double RasterSurface::InnerHeight() const {
    return height_;
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
    std::fill(pixels_.begin(), pixels_.end(), PixelOf(background_));
}

void RasterSurface::Refresh() {
    if (presenter_) {
        presenter_(Image());
    }
}

void RasterSurface::Circle(float x, float y, float radius, Colour rim) {
    if (!(radius > 0.0f) || !std::isfinite(radius) || !std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    const double cx = x;
    const double cy = y;
    // The rim runs from half a pixel inside the circle to half a pixel outside it.
    const Disc outer(double{radius} + 0.5);
    const Disc inner(double{radius} - 0.5);
    const double reach = outer.Radius();
    const int left = static_cast<int>(std::max(std::floor(cx - reach), 0.0));
    const int top = static_cast<int>(std::max(std::floor(cy - reach), 0.0));
    const int right =
        static_cast<int>(std::min(std::ceil(cx + reach), static_cast<double>(width_)));
    const int bottom =
        static_cast<int>(std::min(std::ceil(cy + reach), static_cast<double>(height_)));
    if (left >= right || top >= bottom) {
        return;
    }

    outerColumns_.Build(outer, cx, left, right);
    outerRows_.Build(outer, cy, top, bottom);
    innerColumns_.Build(inner, cx, left, right);
    innerRows_.Build(inner, cy, top, bottom);

    const bool solid = fillMode_ == FillMode::Solid;
    const Ink rimInk = InkOf(rim);
    const Ink fillInk = InkOf(solid ? fill_ : Colour{0});
    const std::uint32_t fillPixel = PixelOf(fill_);

    const auto paintEdge = [&](std::uint32_t* row, int j, int begin, int end) {
        const DiscLine& oy0 = outerRows_[j];
        const DiscLine& oy1 = outerRows_[j + 1];
        const DiscLine& iy0 = innerRows_[j];
        const DiscLine& iy1 = innerRows_[j + 1];
        for (int i = begin; i < end; ++i) {
            const double out =
                std::clamp(outer.Pixel(outerColumns_[i], outerColumns_[i + 1], oy0, oy1), 0.0, 1.0);
            const double in =
                std::clamp(inner.Pixel(innerColumns_[i], innerColumns_[i + 1], iy0, iy1), 0.0, out);
            const auto rimWeight = static_cast<float>(out - in);
            const float fillWeight = solid ? static_cast<float>(in) : 0.0f;
            if (rimWeight + fillWeight <= 0.0f) {
                continue;
            }
            const float oldWeight = 1.0f - rimWeight - fillWeight;
            std::uint32_t& p = row[i];
            const auto old = [&](int shift) { return static_cast<float>(Channel(p, shift)); };
            p = (Mix(old(16), oldWeight, rimInk.r, rimWeight, fillInk.r, fillWeight) << 16) |
                (Mix(old(8), oldWeight, rimInk.g, rimWeight, fillInk.g, fillWeight) << 8) |
                Mix(old(0), oldWeight, rimInk.b, rimWeight, fillInk.b, fillWeight);
        }
    };

    for (int j = top; j < bottom; ++j) {
        std::uint32_t* row =
            pixels_.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(width_);
        const RowSpan span = SpanOf(cx, cy, j, outer, inner, left, right);
        paintEdge(row, j, span.touchedBegin, span.innerBegin);
        if (solid) {
            std::fill(row + span.innerBegin, row + span.innerEnd, fillPixel);
        }
        paintEdge(row, j, span.innerEnd, span.touchedEnd);
    }
}

}  // namespace tavrino
