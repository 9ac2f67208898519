#include "surface/DotMask.h"

#include <bit>

namespace tavrino {

namespace {

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
    hash ^= value + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    return hash * 0xFF51AFD7ED558CCDull;
}

std::size_t SetOf(const DotKey& key) {
    std::uint64_t hash = std::bit_cast<std::uint32_t>(key.radius);
    hash = Mix(hash, std::bit_cast<std::uint64_t>(key.x));
    hash = Mix(hash, std::bit_cast<std::uint64_t>(key.y));
    hash = Mix(
        hash, static_cast<std::uint64_t>(key.width) << 32 | static_cast<std::uint32_t>(key.height));
    return static_cast<std::size_t>(hash >> 32) % DotMaskCache::kSets;
}

}  // namespace

DotMaskCache::DotMaskCache() : masks_(kSets * kWays), lastAsked_(kSets * kWays, 0) {}

DotMaskCache::Lookup DotMaskCache::Get(const DotKey& key) {
    ++calls_;
    const std::size_t first = SetOf(key) * kWays;
    std::size_t oldest = first;
    for (std::size_t i = first; i < first + kWays; ++i) {
        if (masks_[i].key == key) {
            lastAsked_[i] = calls_;
            return {masks_[i], true};
        }
        if (lastAsked_[i] < lastAsked_[oldest]) {
            oldest = i;
        }
    }
    DotMask& mask = masks_[oldest];
    lastAsked_[oldest] = calls_;
    mask.key = key;
    mask.rows.clear();
    mask.weights.clear();
    return {mask, false};
}

}  // namespace tavrino
