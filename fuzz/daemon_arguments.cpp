// The arguments and the window variable a screensaver daemon starts a hack with.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "program/CommandLine.h"
#include "program/DaemonArguments.h"

using namespace tavrino;
using fuzz::Require;

// The input's first NUL-separated part is the window variable (absent when empty), the others the
// arguments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = fuzz::PartsOf(fuzz::TextOf(data, size));
    std::optional<std::string_view> variable;
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i == 0) {
            variable = parts[0].empty() ? std::nullopt : std::optional(parts[0]);
        } else {
            arguments.emplace_back(parts[i]);
        }
    }
    const DaemonRequest request = ReadDaemonRequest(arguments, variable);
    Require(request.target == DaemonTarget::Window || request.window == 0,
            "only a window request names a window");
    if (request.window != 0) {
        const std::string preview = UpperCaseArguments(PreviewArgumentsFor(request.window));
        Require(RunModeOf(preview) == RunMode::Preview, "a hack runs the preview");
        Require(PreviewHandle(preview) == static_cast<HostWindowId>(request.window),
                "the preview reads back the hack's window");
    }
    if (parts.size() >= 1) {
        if (const auto id = ParseWindowId(parts[0])) {
            Require(*id != 0, "no window id is 0");
            Require(ParseWindowId(std::to_string(*id)) == id, "an id reads back from its digits");
        }
    }
    return 0;
}
