#include "posix/dialog/ClockPicture.h"

#include <cstdint>
#include <cstring>

#include "program/SettingsPicture.h"
#include "surface/ImageSurface.h"

namespace tavrino::posix::dialog {

CairoSurface DrawClockPicture(int width, int height) {
    ImageSurface surface(width, height);
    DrawSettingsPicture(surface);
    const PixmapView image = surface.Image();

    // Cairo's RGB24 keeps each pixel as 0x00RRGGBB in a 32-bit word, as the face does.
    CairoSurface picture(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS) {
        return picture;
    }
    cairo_surface_flush(picture.get());
    unsigned char* rows = cairo_image_surface_get_data(picture.get());
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(picture.get()));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            std::memcpy(rows + static_cast<std::size_t>(y) * stride +
                            static_cast<std::size_t>(x) * sizeof pixel,
                        &pixel, sizeof pixel);
        }
    }
    cairo_surface_mark_dirty(picture.get());
    return picture;
}

}  // namespace tavrino::posix::dialog
