// A view of a 32-bit image: no OS types, so every frontend presents it without copying and tests
// compare pixels directly. Each pixel is 0x00RRGGBB, the byte order (B, G, R, x) of a Windows
// 32-bit DIB and of a 24-bit-depth X11 image.
#pragma once

#include <cstdint>

#include "surface/Colour.h"

namespace tavrino {

struct PixmapView {
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels from one row to the next
    const std::uint32_t* pixels = nullptr;

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) +
                      static_cast<std::size_t>(x)];
    }
};

// A colour (0x00BBGGRR) as a pixel (0x00RRGGBB), and back.
constexpr std::uint32_t PixelOf(Colour c) {
    return (static_cast<std::uint32_t>(RedOf(c)) << 16) |
           (static_cast<std::uint32_t>(GreenOf(c)) << 8) | BlueOf(c);
}
constexpr Colour ColourOfPixel(std::uint32_t p) {
    return MakeColour(static_cast<std::uint8_t>((p >> 16) & 0xFFu),
                      static_cast<std::uint8_t>((p >> 8) & 0xFFu),
                      static_cast<std::uint8_t>(p & 0xFFu));
}

}  // namespace tavrino
