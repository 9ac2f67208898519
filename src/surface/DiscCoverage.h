// The exact area of a disc inside a pixel, for anti-aliased dots.
//
// Put the disc's centre at the origin. For a corner (u, v) let Q be the area of the disc inside
// the rectangle spanned by the origin and that corner, signed by the quadrant. The area inside a
// pixel is then Q at its four corners added with alternating signs. With a = min(|u|, r) and
// b = min(|v|, r), Q is a * b while (a, b) lies inside the disc and F(a) + F(b) - pi r^2 / 4
// otherwise, where F(t) is the area under the circle's arc from 0 to t. F depends on one axis
// only, so it is worked out once per pixel boundary line, and every corner after that costs a
// comparison and a multiplication.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrino {

// One pixel boundary line, seen from the disc's centre.
struct DiscLine {
    double a = 0.0;     // distance from the centre, clamped to the radius
    double aa = 0.0;    // a * a
    double f = 0.0;     // area under the arc from 0 to a
    double sign = 1.0;  // which side of the centre the line lies on
};

class Disc {
  public:
    explicit Disc(double radius = 0.0);

    double Radius() const { return radius_; }

    // The line at coordinate `line` of an axis on which the disc's centre lies at `centre`.
    DiscLine Line(double centre, int line) const;

    // Signed area of the disc between the centre and the corner where two lines cross.
    double Corner(const DiscLine& x, const DiscLine& y) const {
        const double inside = x.a * y.a;
        const double outside = x.f + y.f - quarter_;
        return x.sign * y.sign * (x.aa + y.aa <= rr_ ? inside : outside);
    }

    // Area of the disc inside the pixel between lines x0 < x1 and y0 < y1. The two columns'
    // differences are taken first so that a mirrored pixel gives bit for bit the same value.
    double Pixel(const DiscLine& x0, const DiscLine& x1, const DiscLine& y0,
                 const DiscLine& y1) const {
        return (Corner(x1, y1) - Corner(x0, y1)) - (Corner(x1, y0) - Corner(x0, y0));
    }

  private:
    double radius_;
    double rr_;
    double quarter_;
};

class DiscAxis;

// One pixel row of a disc, read from left to right: while the pixels follow on from each other,
// each one's right corners are the next one's left corners. Gives bit for bit what Disc::Pixel
// gives.
class DiscRow {
  public:
    DiscRow(const Disc& disc, const DiscLine& top, const DiscLine& bottom)
        : disc_(disc), top_(top), bottom_(bottom) {}

    // Area inside the pixel between column lines i and i + 1.
    double Pixel(const DiscAxis& columns, int i);

  private:
    const Disc& disc_;
    const DiscLine& top_;
    const DiscLine& bottom_;
    int next_ = 0;
    bool started_ = false;
    double leftTop_ = 0.0;
    double leftBottom_ = 0.0;
};

// The lines first to last of one axis for one disc.
class DiscAxis {
  public:
    void Build(const Disc& disc, double centre, int first, int last);
    bool Matches(const Disc& disc, double centre, int first, int last) const {
        return disc.Radius() == radius_ && centre == centre_ && first == first_ && last == last_;
    }
    const DiscLine& operator[](int line) const {
        return lines_[static_cast<std::size_t>(line - first_)];
    }

  private:
    std::vector<DiscLine> lines_;
    double radius_ = -1.0;
    double centre_ = 0.0;
    int first_ = 0;
    int last_ = -1;
};

// Recently built axes. The face's digits share a few columns and rows between many dots, so
// most of their axes are found here; the storage grows to the largest dot seen and is then
// reused.
class DiscAxisCache {
  public:
    // The axis stays valid for at least the next kSlots - 1 calls: the axis asked for least
    // recently is the one rebuilt.
    const DiscAxis& Get(const Disc& disc, double centre, int first, int last);

    static constexpr std::size_t kSlots = 32;

  private:
    std::array<DiscAxis, kSlots> axes_;
    std::array<std::uint64_t, kSlots> lastAsked_{};
    std::uint64_t calls_ = 0;
};

}  // namespace tavrino

namespace tavrino {

inline double DiscRow::Pixel(const DiscAxis& columns, int i) {
    if (!started_ || i != next_) {
        leftTop_ = disc_.Corner(columns[i], top_);
        leftBottom_ = disc_.Corner(columns[i], bottom_);
        started_ = true;
    }
    const double rightTop = disc_.Corner(columns[i + 1], top_);
    const double rightBottom = disc_.Corner(columns[i + 1], bottom_);
    const double area = (rightBottom - leftBottom_) - (rightTop - leftTop_);
    leftTop_ = rightTop;
    leftBottom_ = rightBottom;
    next_ = i + 1;
    return area;
}

}  // namespace tavrino
