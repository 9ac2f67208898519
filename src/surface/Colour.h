// Colours as the program stores them: 24-bit RGB in an integer with red in the low byte
// (0x00BBGGRR), the layout of a Windows COLORREF.
#pragma once

#include <cstdint>

namespace tavrino {

using Colour = std::uint32_t;

constexpr std::uint8_t RedOf(Colour c) {
    return static_cast<std::uint8_t>(c & 0xFFu);
}
constexpr std::uint8_t GreenOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFFu);
}
constexpr std::uint8_t BlueOf(Colour c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFFu);
}

constexpr Colour MakeColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

}  // namespace tavrino
