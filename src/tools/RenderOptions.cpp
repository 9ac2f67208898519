#include "tools/RenderOptions.h"

#include <charconv>
#include <system_error>

namespace tavrino {

namespace {

// A whole number written with nothing but digits, within [low, high].
std::optional<int> NumberIn(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.front() == '-' ||
        text.front() == '+' || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// HH:MM:SS, each part two digits.
std::optional<LocalTime> ParseTime(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
        return std::nullopt;
    }
    const auto hour = NumberIn(text.substr(0, 2), 0, 23);
    const auto minute = NumberIn(text.substr(3, 2), 0, 59);
    const auto second = NumberIn(text.substr(6, 2), 0, 59);
    if (!hour || !minute || !second) {
        return std::nullopt;
    }
    return LocalTime{*hour, *minute, *second};
}

// WxH, each side from 1 to kMaxRenderSide pixels.
bool ParseSize(std::string_view text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos) {
        return false;
    }
    const auto w = NumberIn(text.substr(0, x), 1, kMaxRenderSide);
    const auto h = NumberIn(text.substr(x + 1), 1, kMaxRenderSide);
    if (!w || !h) {
        return false;
    }
    width = *w;
    height = *h;
    return true;
}

// The text in quotes for a message, control characters written as \xNN so that the message
// stays on one line.
std::string Quoted(std::string_view text) {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            quoted.append("\\x").append(1, kHexDigits[byte >> 4]).append(1, kHexDigits[byte & 15]);
        } else {
            quoted.append(1, c);
        }
    }
    return quoted.append(1, '"');
}

// Applies one option, its value already split off; returns why the value cannot be used, or
// nothing.
std::string ReadOption(std::string_view name, std::string_view value, RenderOptions& o) {
    if (name == "--help" || name == "-h") {
        o.help = true;
    } else if (name == "--green") {
        o.green = true;
    } else if (name == "--drift") {
        o.drift = true;
    } else if (name == "--brightness") {
        const auto percent = NumberIn(value, kLowestBrightness, kFullBrightness);
        if (!percent) {
            return "bad brightness " + Quoted(value) + ", expected " +
                   std::to_string(kLowestBrightness) + " to " + std::to_string(kFullBrightness);
        }
        o.brightness = *percent;
    } else if (name == "--time") {
        o.time = ParseTime(value);
        if (!o.time) {
            return "bad time " + Quoted(value) + ", expected HH:MM:SS";
        }
    } else if (name == "--size") {
        if (!ParseSize(value, o.width, o.height)) {
            return "bad size " + Quoted(value) + ", expected WxH, each side 1 to " +
                   std::to_string(kMaxRenderSide);
        }
    } else if (name == "--output") {
        if (value.empty()) {
            return "empty --output";
        }
        o.output = std::string(value);
    }
    return {};
}

}  // namespace

ParsedRenderOptions ParseRenderOptions(std::span<const std::string_view> args) {
    ParsedRenderOptions parsed;
    RenderOptions& o = parsed.options;
    const auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (const auto eq = name.find('=');
            name.starts_with("--") && eq != std::string_view::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const bool takesValue =
            name == "--time" || name == "--size" || name == "--brightness" || name == "--output";
        if (!takesValue && name != "--help" && name != "-h" && name != "--green" &&
            name != "--drift") {
            return fail("unknown argument " + Quoted(args[i]));
        }
        if (takesValue && !value) {
            if (i + 1 == args.size()) {
                return fail("missing value after " + std::string(name));
            }
            value = args[++i];
        } else if (!takesValue && value) {
            return fail(std::string(name) + " takes no value: " + Quoted(args[i]));
        }

        if (std::string error = ReadOption(name, value.value_or(""), o); !error.empty()) {
            return fail(std::move(error));
        }
    }
    if (!o.help && o.output.empty()) {
        return fail("missing --output FILE.png");
    }
    return parsed;
}

std::string RenderUsage() {
    return "usage: tavrino-render [--time HH:MM:SS] [--size WxH] [--green] [--drift]\n"
           "                     [--brightness N] --output FILE.png\n"
           "Draws the clock face once and writes it as a PNG.\n"
           "  --time HH:MM:SS  the time shown (default: the current local time)\n"
           "  --size WxH       the picture's size in pixels, each side 1 to " +
           std::to_string(kMaxRenderSide) +
           " (default 512x512)\n"
           "  --green          green digits instead of blue\n"
           "  --drift          the face where its slow wandering puts it at that minute\n"
           "  --brightness N   every colour at N percent, " +
           std::to_string(kLowestBrightness) + " to " + std::to_string(kFullBrightness) +
           " (default " + std::to_string(kFullBrightness) +
           ")\n"
           "  --output FILE    where the PNG goes; it appears whole or not at all\n"
           "  --help           shows this text\n";
}

}  // namespace tavrino
