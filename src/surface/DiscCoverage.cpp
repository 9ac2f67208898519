#include "surface/DiscCoverage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace tavrino {

Disc::Disc(double radius)
    : radius_(std::max(radius, 0.0)),
      rr_(radius_ * radius_),
      quarter_(std::numbers::pi * rr_ / 4.0) {}

DiscLine Disc::Line(double centre, int line) const {
    const double u = line - centre;
    DiscLine out;
    out.sign = u < 0.0 ? -1.0 : 1.0;
    out.a = std::min(std::abs(u), radius_);
    out.aa = out.a * out.a;
    if (out.a >= radius_) {
        out.f = quarter_;
    } else {
        // The integral of sqrt(r^2 - s^2) from 0 to a.
        out.f = 0.5 * (out.a * std::sqrt(rr_ - out.aa) + rr_ * std::asin(out.a / radius_));
    }
    return out;
}

void DiscAxis::Build(const Disc& disc, double centre, int first, int last) {
    radius_ = disc.Radius();
    centre_ = centre;
    first_ = first;
    last_ = last;
    lines_.resize(static_cast<std::size_t>(last - first + 1));
    for (int line = first; line <= last; ++line) {
        lines_[static_cast<std::size_t>(line - first)] = disc.Line(centre, line);
    }
}

const DiscAxis& DiscAxisCache::Get(const Disc& disc, double centre, int first, int last) {
    ++calls_;
    std::size_t oldest = 0;
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (axes_[i].Matches(disc, centre, first, last)) {
            lastAsked_[i] = calls_;
            return axes_[i];
        }
        if (lastAsked_[i] < lastAsked_[oldest]) {
            oldest = i;
        }
    }
    lastAsked_[oldest] = calls_;
    axes_[oldest].Build(disc, centre, first, last);
    return axes_[oldest];
}

}  // namespace tavrino
