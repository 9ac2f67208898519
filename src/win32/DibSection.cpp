#include "win32/DibSection.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace tavrino::win32 {

namespace {

std::size_t Index(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

}  // namespace

UniqueGdiObject CreateTopDownDib(int width, int height, WORD bitsPerPixel, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the surface's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        bits = nullptr;
    }
    return bitmap;
}

bool DibSection::Assign(const PixmapView& image) {
    if (image.width <= 0 || image.height <= 0) {
        bitmap_.Reset();
        bits_ = nullptr;
        width_ = 0;
        height_ = 0;
        return true;
    }
    if (image.width != width_ || image.height != height_ || !bitmap_) {
        void* bits = nullptr;
        UniqueGdiObject bitmap = CreateTopDownDib(image.width, image.height, 32, bits);
        if (!bitmap) {
            return false;
        }
        ++bitmapsMade_;
        bitmap_ = std::move(bitmap);
        bits_ = static_cast<std::uint32_t*>(bits);
        width_ = image.width;
        height_ = image.height;
    }
    GdiFlush();  // no drawing of GDI's may still be pending on the bits we overwrite
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* row = image.pixels + Index(0, y, image.stride);
        std::copy(row, row + width_, bits_ + Index(0, y, width_));
    }
    return true;
}

void DibSection::Draw(HDC target, int x, int y) const {
    if (!bitmap_) {
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(target));
    if (!source) {
        return;
    }
    const HGDIOBJ previous = SelectObject(source.Get(), bitmap_.Get());
    BitBlt(target, x, y, width_, height_, source.Get(), 0, 0, SRCCOPY);
    SelectObject(source.Get(), previous);
}

std::uint32_t DibSection::At(int x, int y) const {
    return bits_[Index(x, y, width_)] & 0x00FFFFFFu;
}

}  // namespace tavrino::win32
