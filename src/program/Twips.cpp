#include "program/Twips.h"

#include <cmath>

namespace tavrino {

namespace {

constexpr float kTwipsPerInch = 1440;
constexpr int kUsualPixelsPerInch = 96;
constexpr float kTwipsPerPoint = 20;
// Keeps a whole number of pixels whole when single precision lands a hair below it.
constexpr float kFontPixelSlack = 0.001f;

float TwipsPerPixelOf(int pixelsPerInch) {
    return kTwipsPerInch /
           static_cast<float>(pixelsPerInch > 0 ? pixelsPerInch : kUsualPixelsPerInch);
}

int NearestPixel(float twips, float twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace

TwipsPerPixel TwipsPerPixel::Of(const PixelsPerInch& resolution) {
    return {TwipsPerPixelOf(resolution.x), TwipsPerPixelOf(resolution.y)};
}

int TwipsPerPixel::PixelsX(float twips) const {
    return NearestPixel(twips, x);
}

int TwipsPerPixel::PixelsY(float twips) const {
    return NearestPixel(twips, y);
}

PixelRect TwipsPerPixel::RectFromTwips(float left, float top, float width, float height) const {
    const int leftPixels = PixelsX(left);
    const int topPixels = PixelsY(top);
    return {leftPixels, topPixels, leftPixels + PixelsX(width), topPixels + PixelsY(height)};
}

PixelRect TwipsPerPixel::BoxPixels(const TwipsBox& box) const {
    return {PixelsX(static_cast<float>(box.left)), PixelsY(static_cast<float>(box.top)),
            PixelsX(static_cast<float>(box.left + box.width)),
            PixelsY(static_cast<float>(box.top + box.height))};
}

int TwipsPerPixel::FontPixels(float points) const {
    return static_cast<int>(std::floor(points * kTwipsPerPoint / y + kFontPixelSlack));
}

PixelRect MovedTo(const PixelRect& rect, int left, int top) {
    return {left, top, left + rect.Width(), top + rect.Height()};
}

}  // namespace tavrino
