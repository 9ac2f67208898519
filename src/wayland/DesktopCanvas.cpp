#include "wayland/DesktopCanvas.h"

#include <algorithm>

#include "wayland/OutputStack.h"

namespace tavrino::wayland {

namespace {

constexpr int kOpaque = 255;

std::uint32_t Scaled(std::uint32_t channel, int opacity) {
    return (channel * static_cast<std::uint32_t>(opacity) + kOpaque / 2) / kOpaque;
}

}  // namespace

std::uint32_t Premultiplied(std::uint32_t colour, int opacity) {
    if (opacity >= kOpaque) {
        return 0xFF000000U | colour;
    }
    const std::uint32_t red = Scaled((colour >> 16) & 0xFFU, opacity);
    const std::uint32_t green = Scaled((colour >> 8) & 0xFFU, opacity);
    const std::uint32_t blue = Scaled(colour & 0xFFU, opacity);
    return (static_cast<std::uint32_t>(opacity) << 24) | (red << 16) | (green << 8) | blue;
}

DesktopCanvas::DesktopCanvas(wl_shm* shm, Committer committer)
    : shm_(shm), committer_(std::move(committer)) {}

void DesktopCanvas::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    image_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (std::optional<ShmPool>& buffer : buffers_) {
        buffer.reset();
    }
    behind_ = {};
    waiting_ = {};
}

void DesktopCanvas::SetOpacity(int opacity) {
    opacity = std::clamp(opacity, 0, kOpaque);
    if (opacity == opacity_) {
        return;
    }
    opacity_ = opacity;
    ShowAll();
}

ImageBuffer DesktopCanvas::Pixels() {
    if (image_.empty()) {
        return {};
    }
    return {width_, height_, width_, image_.data()};
}

void DesktopCanvas::Present(const PixelRect& changed) {
    const PixelRect part = Intersection(Covering(changed, waiting_), {0, 0, width_, height_});
    waiting_ = {};
    if (part.Width() == 0 || part.Height() == 0) {
        return;
    }
    const std::optional<std::size_t> buffer = FreeBuffer();
    if (!buffer) {
        waiting_ = part;
        return;
    }
    CopyInto(*buffer, Covering(behind_[*buffer], part));
    behind_[*buffer] = {};
    if (!committer_(buffers_[*buffer]->Buffer(0), part)) {
        behind_[*buffer] = part;  // not shown: drawn again with the next change
        return;
    }
    buffers_[*buffer]->MarkBusy(0);
    for (std::size_t other = 0; other < buffers_.size(); ++other) {
        if (other != *buffer) {
            behind_[other] = Covering(behind_[other], part);
        }
    }
}

std::optional<std::size_t> DesktopCanvas::FreeBuffer() {
    for (std::size_t index = 0; index < buffers_.size(); ++index) {
        if (!buffers_[index]) {
            const OutputStack single{width_, height_, {{0, {0, 0, width_, height_}, 1}}};
            buffers_[index].emplace(shm_, single, WL_SHM_FORMAT_ARGB8888);
            if (!buffers_[index]->Valid()) {
                buffers_[index].reset();
                return std::nullopt;
            }
            buffers_[index]->OnReleased([this] { Present({}); });
            behind_[index] = {0, 0, width_, height_};
        }
        if (!buffers_[index]->Busy(0)) {
            return index;
        }
    }
    return std::nullopt;
}

void DesktopCanvas::CopyInto(std::size_t buffer, const PixelRect& part) {
    std::uint32_t* pixels = buffers_[buffer]->Pixels();
    for (int y = part.top; y < part.bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (int x = part.left; x < part.right; ++x) {
            pixels[row + static_cast<std::size_t>(x)] =
                Premultiplied(image_[row + static_cast<std::size_t>(x)], opacity_);
        }
    }
}

}  // namespace tavrino::wayland
