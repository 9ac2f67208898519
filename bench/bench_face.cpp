// How long the face takes to paint on the raster surface, next to cairo painting the same
// filled and outlined anti-aliased circles into an image of the same size. The circles for cairo
// are the ones the face asks its surface for, taken from a recording surface.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

#include "clockface/Tavrino.h"
#include "support/RecordingSurface.h"
#include "surface/ImageSurface.h"

namespace tavrino {
namespace {

// A clock whose second moves on at every reading, so every tick redraws the ring and only the
// ring.
class TickingTime final : public TimeSource {
  public:
    LocalTime Now() override {
        time_.second = (time_.second + 1) % 60;
        return time_;
    }

  private:
    LocalTime time_{10, 34, 0};
};

int Width(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}
int Height(const benchmark::State& state) {
    return static_cast<int>(state.range(1));
}

void FaceForced(benchmark::State& state) {
    TickingTime clock;
    ImageSurface surface(Width(state), Height(state));
    Tavrino face(clock);
    face.InitClock(surface);
    for (auto _ : state) {
        face.DrawClock(Redraw::Everything);
        benchmark::DoNotOptimize(surface.Image().pixels);
    }
}

// The first forced face on a new surface: every dot is worked out, none is found again.
void FaceFirst(benchmark::State& state) {
    TickingTime clock;
    std::unique_ptr<ImageSurface> surface;
    for (auto _ : state) {
        state.PauseTiming();
        surface.reset();
        surface = std::make_unique<ImageSurface>(Width(state), Height(state));
        Tavrino face(clock);
        face.InitClock(*surface);
        state.ResumeTiming();
        face.DrawClock(Redraw::Everything);
        benchmark::DoNotOptimize(surface->Image().pixels);
    }
}

void FaceRing(benchmark::State& state) {
    TickingTime clock;
    ImageSurface surface(Width(state), Height(state));
    Tavrino face(clock);
    face.InitClock(surface);
    face.DrawClock(Redraw::Everything);
    for (auto _ : state) {
        face.DrawClock(Redraw::Changed);
        benchmark::DoNotOptimize(surface.Image().pixels);
    }
}

// The circles of a forced face, or of one ring redraw, as the face hands them to its surface.
std::vector<CircleOp> FaceCircles(int width, int height, bool ringOnly) {
    TickingTime clock;
    RecordingSurface surface(width, height);
    Tavrino face(clock);
    face.InitClock(surface);
    face.DrawClock(Redraw::Everything);
    if (ringOnly) {
        surface.ClearLog();
        face.DrawClock(Redraw::Changed);
    }
    return surface.Circles();
}

void SetSource(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0);
}

void Cairo(benchmark::State& state, bool ringOnly) {
    const std::vector<CircleOp> circles = FaceCircles(Width(state), Height(state), ringOnly);
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> image(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width(state), Height(state)),
        cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(image.get()),
                                                                cairo_destroy);
    cairo_set_line_width(cr.get(), 1.0);
    for (auto _ : state) {
        for (const CircleOp& c : circles) {
            cairo_new_path(cr.get());
            cairo_arc(cr.get(), c.x, c.y, c.radius, 0.0, 2.0 * std::numbers::pi);
            SetSource(cr.get(), c.fill);
            cairo_fill_preserve(cr.get());
            SetSource(cr.get(), c.rim);
            cairo_stroke(cr.get());
        }
        cairo_surface_flush(image.get());
        benchmark::DoNotOptimize(cairo_image_surface_get_data(image.get()));
    }
    state.counters["circles"] = static_cast<double>(circles.size());
}

void CairoForced(benchmark::State& state) {
    Cairo(state, false);
}
void CairoRing(benchmark::State& state) {
    Cairo(state, true);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({256, 256})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(FaceForced)->Apply(Sizes);
BENCHMARK(CairoForced)->Apply(Sizes);
BENCHMARK(FaceFirst)->Apply(Sizes);
BENCHMARK(FaceRing)->Apply(Sizes);
BENCHMARK(CairoRing)->Apply(Sizes);

}  // namespace
}  // namespace tavrino

BENCHMARK_MAIN();
