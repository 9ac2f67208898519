#include "win32/ClockPicture.h"

#include <cstddef>
#include <cstdint>

#include "program/SettingsPicture.h"
#include "surface/ImageSurface.h"
#include "win32/DibCanvas.h"

namespace tavrino::win32 {

namespace {

constexpr int kBytesPerPixel = 3;

}  // namespace

UniqueGdiObject DrawClockPicture(int width, int height) {
    ImageSurface surface(width, height);
    DrawSettingsPicture(surface);
    const PixmapView image = surface.Image();

    void* bits = nullptr;
    UniqueGdiObject bitmap = CreateTopDownDib(width, height, 8 * kBytesPerPixel, bits);
    if (!bitmap || bits == nullptr) {
        return {};
    }
    const std::size_t stride =
        (static_cast<std::size_t>(width) * kBytesPerPixel + 3) / 4 * 4;  // rows end on 4 bytes
    auto* rows = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = rows + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = image.At(x, y);  // 0x00RRGGBB
            *out++ = static_cast<std::uint8_t>(pixel & 0xFFu);
            *out++ = static_cast<std::uint8_t>((pixel >> 8) & 0xFFu);
            *out++ = static_cast<std::uint8_t>((pixel >> 16) & 0xFFu);
        }
    }
    GdiFlush();
    return bitmap;
}

}  // namespace tavrino::win32
