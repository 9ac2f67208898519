// A drawing surface for tests: it draws nothing and records every operation asked of it, in
// order, so a test can check exactly what the clock face or the window did to its surface. The
// inner size and the starting fill mode are set by the test; the fill colour and fill mode it
// reports back are the ones last set, as a real picture box would.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <vector>

#include "surface/Surface.h"

namespace tavrino {

enum class SurfaceOpKind {
    InnerWidth,
    InnerHeight,
    GetFillMode,
    SetFillMode,
    SetFillColour,
    Circle,
    EraseCircle,
    Clear,
    Refresh,
};

// One recorded call. `mode` is the surface's fill mode after the call (for GetFillMode: the mode
// it returned); `colour` belongs to SetFillColour and the circle fields to Circle.
struct SurfaceOp {
    SurfaceOpKind kind = SurfaceOpKind::Refresh;
    FillMode mode = FillMode::Transparent;
    Colour colour = 0;
    float x = 0.0f;
    float y = 0.0f;
    float radius = 0.0f;
    Colour rim = 0;
    Colour fill = 0;                            // fill colour in effect when the circle was drawn
    FillMode fillMode = FillMode::Transparent;  // fill mode in effect when the circle was drawn

    friend bool operator==(const SurfaceOp&, const SurfaceOp&) = default;
};

// A drawn circle with the surface state that decided its look.
struct CircleOp {
    float x = 0.0f;
    float y = 0.0f;
    float radius = 0.0f;
    Colour rim = 0;
    Colour fill = 0;
    FillMode fillMode = FillMode::Transparent;

    friend bool operator==(const CircleOp&, const CircleOp&) = default;
};

std::ostream& operator<<(std::ostream& out, SurfaceOpKind kind);
std::ostream& operator<<(std::ostream& out, FillMode mode);
std::ostream& operator<<(std::ostream& out, const SurfaceOp& op);
std::ostream& operator<<(std::ostream& out, const CircleOp& op);

class RecordingSurface final : public Surface {
  public:
    explicit RecordingSurface(double width = 0.0, double height = 0.0,
                              FillMode fillMode = FillMode::Transparent);

    // Test controls: none of these is recorded.
    void SetInnerSize(double width, double height);
    void ForceFillMode(FillMode mode) { fillMode_ = mode; }
    void ClearLog() { log_.clear(); }

    // What the surface currently holds, read without recording.
    FillMode CurrentFillMode() const { return fillMode_; }
    Colour CurrentFillColour() const { return fill_; }

    const std::vector<SurfaceOp>& Log() const { return log_; }
    std::vector<SurfaceOpKind> Kinds() const;
    std::vector<CircleOp> Circles() const;
    std::size_t Count(SurfaceOpKind kind) const;
    // Index in the log of the first operation of that kind, or Log().size() if there is none.
    std::size_t IndexOf(SurfaceOpKind kind) const;

    double InnerWidth() const override;
    double InnerHeight() const override;
    FillMode GetFillMode() const override;
    void SetFillMode(FillMode mode) override;
    void SetFillColour(Colour colour) override;
    void Circle(float x, float y, float radius, Colour rim) override;
    void EraseCircle(float x, float y, float radius) override;
    void Clear() override;
    void Refresh() override;
    // A region that records into this surface's log, its circles moved by the region's corner.
    std::unique_ptr<Surface> Region(const PixelRect& region) override;

  private:
    void Record(SurfaceOpKind kind) const;
    SurfaceOp& RecordCircle(SurfaceOpKind kind, float x, float y, float radius);

    double width_;
    double height_;
    FillMode fillMode_;
    Colour fill_ = 0;
    // Reads of the size and the fill mode are const on the interface but are recorded too.
    mutable std::vector<SurfaceOp> log_;
};

}  // namespace tavrino
