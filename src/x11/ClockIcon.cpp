#include "x11/ClockIcon.h"

#include <array>
#include <cstdint>

#include "clockface/Tavrino.h"
#include "surface/MemoryCanvas.h"
#include "surface/RasterSurface.h"

namespace tavrino::x11 {

namespace {

constexpr std::array kIconSizes{16, 32, 48};
constexpr std::uint32_t kOpaque = 0xFF000000;

struct IconTime final : TimeSource {
    LocalTime Now() override { return {10, 8, 42, 0}; }
};

void AppendIcon(std::vector<long>& items, int size) {
    MemoryCanvas canvas(size, size);
    RasterSurface surface(canvas);
    IconTime time;
    Tavrino face(time);
    face.InitClock(surface);
    face.DrawClock(Redraw::Everything);
    const ImageBuffer pixels = canvas.Pixels();
    items.push_back(pixels.width);
    items.push_back(pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t pixel =
                pixels
                    .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.stride) +
                            static_cast<std::size_t>(x)];
            items.push_back(static_cast<long>(pixel | kOpaque));
        }
    }
}

}  // namespace

std::vector<long> ClockIconItems() {
    std::vector<long> items;
    for (const int size : kIconSizes) {
        AppendIcon(items, size);
    }
    return items;
}

}  // namespace tavrino::x11
