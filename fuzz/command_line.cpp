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
    const std::string upper = UpperCaseArguments(fuzz::TextOf(data, size));
    Require(upper.size() == size, "upper-casing keeps the length");
    Require(std::none_of(upper.begin(), upper.end(), [](char c) { return c >= 'a' && c <= 'z'; }),
            "no lower-case letter is left");

    const RunMode mode = RunModeOf(upper);
    Require(!HasSwitch(upper, "/C") || mode == RunMode::Configuration, "/C asks for the settings");
    Require(mode == RunMode::Desktop || RunModeOf(upper, true) == mode,
            "the screensaver file changes only a run without switches");

    const HostWindowId preview = PreviewHandle(upper);
    Require(FitsUnsigned32(preview), "the preview handle fits 32 bits unsigned");
    Require(NearestTo(preview, upper.size() > 2 ? std::string_view(upper).substr(2) : ""),
            "the preview handle is the number after the switch");
    Require(PreviewHandle("/P " + std::to_string(preview)) == preview,
            "the preview handle reads back from its digits");

    const HostWindowId owner = ConfigurationOwner(upper);
    Require(FitsUnsigned32(owner), "the settings' owner fits 32 bits unsigned");
    Require(owner == 0 || HasSwitch(upper, "/C"), "only /C names an owner");
    Require(ConfigurationOwner("/C:" + std::to_string(owner)) == owner,
            "the settings' owner reads back from its digits");
    return 0;
}
