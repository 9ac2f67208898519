// The command line the screensaver host or a user starts the program with.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "FuzzSupport.h"
#include "program/CommandLine.h"
#include "program/Conversions.h"

using namespace tavrino;
using fuzz::Require;

namespace {

bool FitsUnsigned32(HostWindowId handle) {
    return handle >= 0 && handle <= std::numeric_limits<std::uint32_t>::max();
}

// A handle is the nearest whole number to the value it was read from.
bool NearestTo(HostWindowId handle, std::string_view text) {
    return handle == 0 || std::abs(NumericValue(text) - static_cast<double>(handle)) <= 0.5;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::TextOf(data, size);
    const std::string upper = UpperCaseArguments(text);
    Require(upper.size() == size, "upper-casing keeps the length");
    Require(std::none_of(upper.begin(), upper.end(), [](char c) { return c >= 'a' && c <= 'z'; }),
            "no lower-case letter is left");
    const bool configure = upper.find("/C") != std::string::npos;

    const StartRequest request = ReadCommandLine(text);
    Require(!configure || request.mode == RunMode::Configuration, "/C asks for the settings");
    Require(request.mode == RunMode::Desktop || ReadCommandLine(text, true) == request,
            "the screensaver file changes only a run without switches");
    Require(FitsUnsigned32(request.hostWindow), "the host's window fits 32 bits unsigned");

    if (IsPreview(request.mode)) {
        Require(NearestTo(request.hostWindow,
                          upper.size() > 2 ? std::string_view(upper).substr(2) : ""),
                "the preview handle is the number after the switch");
        Require(ReadCommandLine("/P " + std::to_string(request.hostWindow)) ==
                    StartRequest{RunMode::Preview, request.hostWindow},
                "the preview handle reads back from its digits");
    } else if (request.mode == RunMode::Configuration) {
        Require(ReadCommandLine("/C:" + std::to_string(request.hostWindow)) == request,
                "the settings' owner reads back from its digits");
    } else {
        Require(request.hostWindow == 0, "only the preview and the settings name a window");
    }
    const StartRequest fromSaverFile = ReadCommandLine(text, true);
    Require(
        configure || fromSaverFile.mode != RunMode::Configuration || fromSaverFile.hostWindow == 0,
        "only /C names an owner");
    return 0;
}
