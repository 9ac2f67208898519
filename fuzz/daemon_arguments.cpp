// The arguments and the window variable a screensaver daemon starts a display module with.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "posix/DaemonArguments.h"

using namespace tavrino;
using namespace tavrino::posix;
using fuzz::Require;

namespace {

// A root window no text can name, so that it shows where it is drawn on.
constexpr HostWindowId kRoot = HostWindowId{1} << 40;

bool Names(const std::vector<std::string>& arguments, std::string_view one, std::string_view two) {
    for (const std::string& argument : arguments) {
        if (argument == one || argument == two) {
            return true;
        }
    }
    return false;
}

}  // namespace

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
    const std::optional<StartRequest> module = ReadDaemonArguments(arguments, variable, kRoot);
    const bool windowSwitch = Names(arguments, "-window-id", "--window-id");
    Require(module.has_value() == (windowSwitch || Names(arguments, "-root", "--root")),
            "only a daemon's switch makes a module");
    if (module) {
        Require(module->mode == RunMode::Preview, "a module runs the preview");
        const bool windowInVariable = variable && ParseWindowId(*variable).has_value();
        Require((module->hostWindow == kRoot) == (!windowSwitch && !windowInVariable),
                "a module draws on the root only when no window is named");
        Require(module->hostWindow == kRoot || module->hostWindow == 0 ||
                    ParseWindowId(std::to_string(module->hostWindow)).has_value(),
                "a module draws on the root or in a window it read");
    }
    if (parts.size() >= 1) {
        if (const auto id = ParseWindowId(parts[0])) {
            Require(*id != 0, "no window id is 0");
            Require(ParseWindowId(std::to_string(*id)) == id, "an id reads back from its digits");
        }
    }
    return 0;
}
