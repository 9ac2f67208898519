// The command line of tavrino-render, read into a value: what to draw and where to put it, or
// the one-line reason why the command line cannot be used.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "clockface/Tavrino.h"
#include "seam/Time.h"

namespace tavrino {

constexpr int kMaxRenderSide = 16384;

struct RenderOptions {
    std::optional<LocalTime> time;  // none: the current local time
    int width = 512;
    int height = 512;
    bool green = false;
    bool drift = false;  // moved as the wandering face is at that minute on a picture this size
    int brightness = kFullBrightness;
    std::string output;
    bool help = false;
};

struct ParsedRenderOptions {
    RenderOptions options;
    std::string error;  // empty when the command line is good
};

// Reads the arguments after the program name.
ParsedRenderOptions ParseRenderOptions(std::span<const std::string_view> args);

std::string RenderUsage();

}  // namespace tavrino
