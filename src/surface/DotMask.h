// A dot's coverage, worked out once and painted many times.
//
// Which pixels a dot touches, and what share of each its rim and its inside cover, depends only
// on the radius, on where the centre lies inside the dot's bounding box and on the box's size
// once clipped: the difference between a whole number and a single-precision coordinate is exact
// in double, so two dots that agree on these see the same pixel boundary lines bit for bit, and
// get the same coverage. The face draws the same dots at the same places on every forced redraw,
// and the ring's 72 every second, so the surface keeps the masks of the dots it drew last and
// paints from them; the colours are not part of a mask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrino {

// What a dot looks like apart from where it is and its colours.
struct DotKey {
    float radius = 0.0f;  // 0 for a slot that holds no mask
    double x = 0.0;       // the centre, from the bounding box's top left corner
    double y = 0.0;
    int width = 0;  // the bounding box, clipped to the image
    int height = 0;

    bool operator==(const DotKey&) const = default;
};

// The rim's share and the inside's share of one pixel, in steps of 1 / 4096.
struct RimWeight {
    std::uint16_t covered = 0;
    std::uint16_t inside = 0;
};

// One pixel row of a mask, in columns from the bounding box's left: rim pixels from rimBegin to
// fillBegin and from fillEnd to rimEnd (their weights stored in that order from firstWeight), the
// inside wholly covering the pixels between.
struct MaskRow {
    int rimBegin = 0;
    int fillBegin = 0;
    int fillEnd = 0;
    int rimEnd = 0;
    std::size_t firstWeight = 0;
};

struct DotMask {
    DotKey key;
    std::vector<MaskRow> rows;  // one per row of the bounding box, top first
    std::vector<RimWeight> weights;
};

// The masks of recently drawn dots: a set-associative table, so that finding one costs a hash
// and a few comparisons. A slot's storage grows to the largest dot it has held and is reused.
class DotMaskCache {
  public:
    DotMaskCache();

    struct Lookup {
        DotMask& mask;
        bool found;  // false: the mask is empty, under the key, and must be worked out now
    };
    // A mask found stays valid until the next call.
    Lookup Get(const DotKey& key);

    // More than the face draws, so that a redraw finds all of its dots.
    static constexpr std::size_t kWays = 8;
    static constexpr std::size_t kSets = 64;

  private:
    std::vector<DotMask> masks_;
    std::vector<std::uint64_t> lastAsked_;
    std::uint64_t calls_ = 0;
};

}  // namespace tavrino
