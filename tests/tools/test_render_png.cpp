// The render tool's picture read back with libpng: every pixel, in its colour, where the face
// drawn in this process puts it. A wide, odd-sized face shows rows and columns mixed up as well.
#include <gtest/gtest.h>
#include <png.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clockface/Tavrino.h"
#include "clockface/TimeOverride.h"
#include "surface/ImageSurface.h"

namespace tavrino {
namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // three bytes a pixel, row by row
};

Decoded ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    Decoded decoded{static_cast<int>(image.width), static_cast<int>(image.height),
                    std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr) == 0) {
        return {};
    }
    return decoded;
}

TEST(RenderPng, EveryPixelHasTheColourOfTheFaceDrawnHere) {
    constexpr int kWidth = 301;
    constexpr int kHeight = 187;
    const std::string path = testing::TempDir() + "tavrino-render-pixels.png";
    const std::string command = std::string(TAVRINO_RENDER_TOOL) +
                                " --time 10:08:37 --size 301x187 --output '" + path + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const Decoded decoded = ReadPng(path);
    std::remove(path.c_str());
    ASSERT_EQ(decoded.width, kWidth);
    ASSERT_EQ(decoded.height, kHeight);

    TimeOverride clock(TimeOverrideSetting{.start = LocalTime{10, 8, 37}});
    ImageSurface surface(kWidth, kHeight, 0x000000);
    Tavrino face(clock);
    face.InitClock(surface);
    face.SetBlueDigits();
    face.DrawClock(Redraw::Everything);
    const PixmapView expected = surface.Image();

    int differing = 0;
    std::size_t at = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x, at += 3) {
            const std::uint32_t read = (std::uint32_t{decoded.rgb[at]} << 16) |
                                       (std::uint32_t{decoded.rgb[at + 1]} << 8) |
                                       decoded.rgb[at + 2];
            differing += read == expected.At(x, y) ? 0 : 1;
        }
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace tavrino
