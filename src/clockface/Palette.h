// The clock face's colours: five rim/fill pairs, 0x00BBGGRR.
#pragma once

#include "surface/Colour.h"

namespace tavrino {

struct DotColours {
    Colour rim;
    Colour fill;

    friend bool operator==(const DotColours&, const DotColours&) = default;
};

constexpr DotColours kBluePair{0xC00000, 0xFF8080};    // digits when blue is chosen
constexpr DotColours kGreenPair{0x008000, 0x80FF80};   // digits otherwise; lit ring dots
constexpr DotColours kRedPair{0x0000C0, 0x8080FF};     // hour markers
constexpr DotColours kYellowPair{0x008080, 0x80FFFF};  // lit ring dots at 0, 5, ... 55
constexpr DotColours kOffPair{0x070707, 0x080808};     // unlit dots

}  // namespace tavrino
