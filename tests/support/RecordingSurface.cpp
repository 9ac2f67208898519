#include "support/RecordingSurface.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

namespace tavrino {

std::ostream& operator<<(std::ostream& out, SurfaceOpKind kind) {
    switch (kind) {
        case SurfaceOpKind::InnerWidth:
            return out << "InnerWidth";
        case SurfaceOpKind::InnerHeight:
            return out << "InnerHeight";
        case SurfaceOpKind::GetFillMode:
            return out << "GetFillMode";
        case SurfaceOpKind::SetFillMode:
            return out << "SetFillMode";
        case SurfaceOpKind::SetFillColour:
            return out << "SetFillColour";
        case SurfaceOpKind::Circle:
            return out << "Circle";
        case SurfaceOpKind::EraseCircle:
            return out << "EraseCircle";
        case SurfaceOpKind::Clear:
            return out << "Clear";
        case SurfaceOpKind::Refresh:
            return out << "Refresh";
    }
    return out << "?";
}

std::ostream& operator<<(std::ostream& out, FillMode mode) {
    return out << (mode == FillMode::Solid ? "Solid" : "Transparent");
}

namespace {

std::ostream& Hex(std::ostream& out, Colour c) {
    const auto flags = out.flags();
    const char oldFill = out.fill('0');
    out << "0x" << std::hex << std::uppercase << std::setw(6) << c;
    out.fill(oldFill);
    out.flags(flags);
    return out;
}

std::ostream& CircleFields(std::ostream& out, float x, float y, float radius, Colour rim,
                           Colour fill, FillMode fillMode) {
    out << "Circle(" << x << ", " << y << ", r " << radius << ", rim ";
    Hex(out, rim) << ", fill ";
    return Hex(out, fill) << ", " << fillMode << ")";
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const SurfaceOp& op) {
    switch (op.kind) {
        case SurfaceOpKind::GetFillMode:
        case SurfaceOpKind::SetFillMode:
            return out << op.kind << "(" << op.mode << ")";
        case SurfaceOpKind::SetFillColour:
            out << op.kind << "(";
            return Hex(out, op.colour) << ")";
        case SurfaceOpKind::Circle:
            return CircleFields(out, op.x, op.y, op.radius, op.rim, op.fill, op.fillMode);
        default:
            return out << op.kind;
    }
}

std::ostream& operator<<(std::ostream& out, const CircleOp& op) {
    return CircleFields(out, op.x, op.y, op.radius, op.rim, op.fill, op.fillMode);
}

RecordingSurface::RecordingSurface(double width, double height, FillMode fillMode)
    : width_(width), height_(height), fillMode_(fillMode) {}

void RecordingSurface::SetInnerSize(double width, double height) {
    width_ = width;
    height_ = height;
}

std::vector<SurfaceOpKind> RecordingSurface::Kinds() const {
    std::vector<SurfaceOpKind> kinds;
    kinds.reserve(log_.size());
    for (const SurfaceOp& op : log_) {
        kinds.push_back(op.kind);
    }
    return kinds;
}

std::vector<CircleOp> RecordingSurface::Circles() const {
    std::vector<CircleOp> circles;
    for (const SurfaceOp& op : log_) {
        if (op.kind == SurfaceOpKind::Circle) {
            circles.push_back({op.x, op.y, op.radius, op.rim, op.fill, op.fillMode});
        }
    }
    return circles;
}

std::size_t RecordingSurface::Count(SurfaceOpKind kind) const {
    return static_cast<std::size_t>(std::count_if(
        log_.begin(), log_.end(), [kind](const SurfaceOp& op) { return op.kind == kind; }));
}

std::size_t RecordingSurface::IndexOf(SurfaceOpKind kind) const {
    const auto it = std::find_if(log_.begin(), log_.end(),
                                 [kind](const SurfaceOp& op) { return op.kind == kind; });
    return static_cast<std::size_t>(it - log_.begin());
}

void RecordingSurface::Record(SurfaceOpKind kind) const {
    SurfaceOp op;
    op.kind = kind;
    op.mode = fillMode_;
    log_.push_back(op);
}

double RecordingSurface::InnerWidth() const {
    Record(SurfaceOpKind::InnerWidth);
    return width_;
}

double RecordingSurface::InnerHeight() const {
    Record(SurfaceOpKind::InnerHeight);
    return height_;
}

FillMode RecordingSurface::GetFillMode() const {
    Record(SurfaceOpKind::GetFillMode);
    return fillMode_;
}

void RecordingSurface::SetFillMode(FillMode mode) {
    fillMode_ = mode;
    Record(SurfaceOpKind::SetFillMode);
}

void RecordingSurface::SetFillColour(Colour colour) {
    fill_ = colour;
    SurfaceOp op;
    op.kind = SurfaceOpKind::SetFillColour;
    op.mode = fillMode_;
    op.colour = colour;
    log_.push_back(op);
}

void RecordingSurface::Circle(float x, float y, float radius, Colour rim) {
    SurfaceOp& op = RecordCircle(SurfaceOpKind::Circle, x, y, radius);
    op.rim = rim;
    op.fill = fill_;
    op.fillMode = fillMode_;
}

void RecordingSurface::EraseCircle(float x, float y, float radius) {
    RecordCircle(SurfaceOpKind::EraseCircle, x, y, radius);
}

SurfaceOp& RecordingSurface::RecordCircle(SurfaceOpKind kind, float x, float y, float radius) {
    SurfaceOp& op = log_.emplace_back();
    op.kind = kind;
    op.mode = fillMode_;
    op.x = x;
    op.y = y;
    op.radius = radius;
    return op;
}

void RecordingSurface::Clear() {
    Record(SurfaceOpKind::Clear);
}

void RecordingSurface::Refresh() {
    Record(SurfaceOpKind::Refresh);
}

namespace {

class RecordingRegion final : public Surface {
  public:
    RecordingRegion(Surface& whole, const PixelRect& region) : whole_(whole), region_(region) {}

    double InnerWidth() const override { return region_.Width(); }
    double InnerHeight() const override { return region_.Height(); }
    FillMode GetFillMode() const override { return whole_.GetFillMode(); }
    void SetFillMode(FillMode mode) override { whole_.SetFillMode(mode); }
    void SetFillColour(Colour colour) override { whole_.SetFillColour(colour); }
    void Circle(float x, float y, float radius, Colour rim) override {
        whole_.Circle(x + static_cast<float>(region_.left), y + static_cast<float>(region_.top),
                      radius, rim);
    }
    void EraseCircle(float x, float y, float radius) override {
        whole_.EraseCircle(x + static_cast<float>(region_.left),
                           y + static_cast<float>(region_.top), radius);
    }
    void Clear() override { whole_.Clear(); }
    void Refresh() override { whole_.Refresh(); }
    std::unique_ptr<Surface> Region(const PixelRect& region) override {
        return whole_.Region({region.left + region_.left, region.top + region_.top,
                              region.right + region_.left, region.bottom + region_.top});
    }

  private:
    Surface& whole_;
    PixelRect region_;
};

}  // namespace

std::unique_ptr<Surface> RecordingSurface::Region(const PixelRect& region) {
    return std::make_unique<RecordingRegion>(*this, region);
}

}  // namespace tavrino
