#include "win32/DibCanvas.h"

#include <algorithm>

namespace tavrino::win32 {

UniqueGdiObject CreateTopDownDib(int width, int height, WORD bitsPerPixel, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the canvas's rows
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

void DibCanvas::Resize(int width, int height) {
    // A window is told its size again when it is first shown or its frame changes; what was
    // drawn stays.
    if (bitmap_ && width == width_ && height == height_) {
        return;
    }
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
    if (width <= 0 || height <= 0) {
        return;
    }
    void* bits = nullptr;
    bitmap_ = CreateTopDownDib(width, height, 32, bits);
    if (bitmap_) {
        // A new DIB section is all zeros, which is black.
        bits_ = static_cast<std::uint32_t*>(bits);
        width_ = width;
        height_ = height;
    }
}

ImageBuffer DibCanvas::Pixels() {
    // GDI may still be reading the bits for a blit it has batched; a face asks for the pixels
    // for every dot, so only the first time after a paint waits.
    if (blitPending_) {
        GdiFlush();
        blitPending_ = false;
    }
    return {width_, height_, width_, bits_};
}

void DibCanvas::Present(const PixelRect& changed) {
    const RECT area{std::max(changed.left, 0), std::max(changed.top, 0),
                    std::min(changed.right, width_), std::min(changed.bottom, height_)};
    if (window_ != nullptr && area.left < area.right && area.top < area.bottom) {
        InvalidateRect(window_, &area, FALSE);
    }
}

void DibCanvas::Paint(HDC target, const RECT& area) {
    if (area.right > width_ || area.bottom > height_) {
        FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    const int right = std::min<int>(area.right, width_);
    const int bottom = std::min<int>(area.bottom, height_);
    if (!bitmap_ || right <= area.left || bottom <= area.top) {
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(target));
    if (!source) {
        return;
    }
    const HGDIOBJ previous = SelectObject(source.Get(), bitmap_.Get());
    BitBlt(target, area.left, area.top, right - area.left, bottom - area.top, source.Get(),
           area.left, area.top, SRCCOPY);
    blitPending_ = true;
    SelectObject(source.Get(), previous);
}

}  // namespace tavrino::win32
