#include "wayland/OutputStack.h"

#include <algorithm>
#include <cstdint>

namespace tavrino::wayland {

std::vector<PixelRect> OutputStack::Areas() const {
    std::vector<PixelRect> areas;
    for (const StackedOutput& output : outputs) {
        areas.push_back(output.area);
    }
    return areas;
}

OutputStack StackOutputs(std::vector<OutputPlace> outputs) {
    std::erase_if(outputs, [](const OutputPlace& output) {
        return output.pixelWidth <= 0 || output.pixelHeight <= 0;
    });
    std::sort(outputs.begin(), outputs.end(), [](const OutputPlace& a, const OutputPlace& b) {
        return DeskOrder(a.logicalX, a.logicalY, a.id) < DeskOrder(b.logicalX, b.logicalY, b.id);
    });
    OutputStack stack;
    for (const OutputPlace& output : outputs) {
        stack.outputs.push_back(
            {output.id,
             {0, stack.height, output.pixelWidth, stack.height + output.pixelHeight},
             output.scale});
        stack.width = std::max(stack.width, output.pixelWidth);
        stack.height += output.pixelHeight;
    }
    return stack;
}

int PixelsOfLogical(int logical, int scaleIn120ths) {
    constexpr std::int64_t kWhole = 120;
    const std::int64_t product = std::int64_t{logical} * scaleIn120ths;
    const std::int64_t half = product < 0 ? -kWhole / 2 : kWhole / 2;
    return static_cast<int>((product + half) / kWhole);
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    PixelRect both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
    both.right = std::max(both.right, both.left);
    both.bottom = std::max(both.bottom, both.top);
    return both;
}

PixelRect Covering(const PixelRect& a, const PixelRect& b) {
    const auto empty = [](const PixelRect& rect) {
        return rect.Width() <= 0 || rect.Height() <= 0;
    };
    if (empty(a)) {
        return b;
    }
    if (empty(b)) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

PixelRect Moved(const PixelRect& rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace tavrino::wayland
