// The render tool's command line, one argument per NUL-separated part of the input.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "tools/RenderOptions.h"

using namespace tavrino;
using fuzz::Require;

namespace {

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// The command line that asks for the same options, every value after "=".
std::vector<std::string> ArgumentsOf(const RenderOptions& options) {
    std::vector<std::string> args = {"--size=" + std::to_string(options.width) + "x" +
                                     std::to_string(options.height)};
    if (options.time) {
        char time[16];
        std::snprintf(time, sizeof time, "--time=%02d:%02d:%02d", options.time->hour,
                      options.time->minute, options.time->second);
        args.emplace_back(time);
    }
    if (options.green) {
        args.emplace_back("--green");
    }
    if (options.drift) {
        args.emplace_back("--drift");
    }
    args.push_back("--brightness=" + std::to_string(options.brightness));
    if (options.help) {
        args.emplace_back("--help");
    }
    if (!options.output.empty()) {
        args.push_back("--output=" + options.output);
    }
    return args;
}

bool SameOptions(const RenderOptions& a, const RenderOptions& b) {
    return a.time == b.time && a.width == b.width && a.height == b.height && a.green == b.green &&
           a.drift == b.drift && a.brightness == b.brightness && a.output == b.output &&
           a.help == b.help;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> args = fuzz::PartsOf(fuzz::TextOf(data, size));
    const ParsedRenderOptions parsed = ParseRenderOptions(args);
    if (!parsed.error.empty()) {
        Require(parsed.error.find('\n') == std::string::npos, "a refusal is one line");
        return 0;
    }
    const RenderOptions& options = parsed.options;
    Require(InRange(options.width, 1, kMaxRenderSide) && InRange(options.height, 1, kMaxRenderSide),
            "the picture's sides are within the limit");
    Require(!options.time ||
                (InRange(options.time->hour, 0, 23) && InRange(options.time->minute, 0, 59) &&
                 InRange(options.time->second, 0, 59)),
            "the time is a time of day");
    Require(InRange(options.brightness, kLowestBrightness, kFullBrightness),
            "the brightness is a percentage the face takes");
    Require(options.help || !options.output.empty(), "a picture has somewhere to go");

    const std::vector<std::string> again = ArgumentsOf(options);
    const std::vector<std::string_view> againViews(again.begin(), again.end());
    const ParsedRenderOptions reread = ParseRenderOptions(againViews);
    Require(reread.error.empty() && SameOptions(reread.options, options),
            "the options read back from their own command line");
    return 0;
}
