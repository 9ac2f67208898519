// The render tool's picture read back with libpng: every pixel, in its colour, where the face
// drawn in this process puts it. A wide, odd-sized face shows rows and columns mixed up as well,
// a tall, moved and dimmed one that the tool's options reach the face.
#include <gtest/gtest.h>
#include <png.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clockface/FaceDrift.h"
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

// Runs the tool with the options and counts the pixels that differ from the face drawn here.
struct Render {
    std::string options;
    LocalTime time;
    int width;
    int height;
    FaceOffset offset;
    int brightness;
};

int PixelsDifferingFromTheFaceDrawnHere(const Render& render) {
    const std::string path = testing::TempDir() + "tavrino-render-pixels.png";
    const std::string command =
        std::string(TAVRINO_RENDER_TOOL) + " " + render.options + " --output '" + path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const Decoded decoded = ReadPng(path);
    std::remove(path.c_str());
    EXPECT_EQ(decoded.width, render.width);
    EXPECT_EQ(decoded.height, render.height);
    if (decoded.width != render.width || decoded.height != render.height) {
        return -1;
    }

    TimeOverride clock(TimeOverrideSetting{.start = render.time});
    ImageSurface surface(render.width, render.height, 0x000000);
    Tavrino face(clock);
    face.InitClock(surface);
    face.SetBlueDigits();
    face.SetOffset(render.offset);
    face.SetBrightness(render.brightness);
    face.DrawClock(Redraw::Everything);
    const PixmapView expected = surface.Image();

    int differing = 0;
    std::size_t at = 0;
    for (int y = 0; y < render.height; ++y) {
        for (int x = 0; x < render.width; ++x, at += 3) {
            const std::uint32_t read = (std::uint32_t{decoded.rgb[at]} << 16) |
                                       (std::uint32_t{decoded.rgb[at + 1]} << 8) |
                                       decoded.rgb[at + 2];
            differing += read == expected.At(x, y) ? 0 : 1;
        }
    }
    return differing;
}

TEST(RenderPng, EveryPixelHasTheColourOfTheFaceDrawnHere) {
    EXPECT_EQ(PixelsDifferingFromTheFaceDrawnHere(
                  {"--time 10:08:37 --size 301x187", {10, 8, 37}, 301, 187, {}, 100}),
              0);
    // Moved where the face wanders to at 17:43 on this picture, and dimmed.
    EXPECT_EQ(PixelsDifferingFromTheFaceDrawnHere({"--time 17:43:05 --size 480x640 --drift "
                                                   "--brightness 35",
                                                   {17, 43, 5},
                                                   480,
                                                   640,
                                                   DriftOffset(17 * 60 + 43, 480, 640),
                                                   35}),
              0);
}

}  // namespace
}  // namespace tavrino
