#include "posix/DaemonArguments.h"

#include <cctype>
#include <limits>

#include "program/CommandLine.h"

namespace tavrino::posix {

namespace {

constexpr std::uint32_t kMaxId = std::numeric_limits<std::uint32_t>::max();

int DigitValue(char c, int base) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isdigit(byte) != 0) {
        return c - '0';
    }
    if (base == 16 && std::isxdigit(byte) != 0) {
        return std::tolower(byte) - 'a' + 10;
    }
    return base;  // not a digit of this base
}

bool IsRootSwitch(std::string_view argument) {
    return argument == "-root" || argument == "--root";
}

bool IsWindowSwitch(std::string_view argument) {
    return argument == "-window-id" || argument == "--window-id";
}

StartRequest InWindow(HostWindowId window) {
    return {RunMode::Preview, window};
}

}  // namespace

std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        const int digit = DigitValue(c, base);
        if (digit >= base) {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > kMaxId) {
            return std::nullopt;
        }
    }
    if (value == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<StartRequest> ReadDaemonArguments(const std::vector<std::string>& arguments,
                                                std::optional<std::string_view> windowVariable,
                                                HostWindowId rootWindow) {
    bool root = false;
    std::optional<std::string_view> namedWindow;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (IsRootSwitch(arguments[i])) {
            root = true;
        } else if (IsWindowSwitch(arguments[i])) {
            // A switch without its id still asks for a window: one that cannot be found.
            namedWindow = i + 1 < arguments.size() ? std::string_view(arguments[++i]) : "";
        }
    }
    if (namedWindow) {
        return InWindow(ParseWindowId(*namedWindow).value_or(0));
    }
    if (!root) {
        return std::nullopt;
    }
    if (windowVariable) {
        if (const auto window = ParseWindowId(*windowVariable)) {
            return InWindow(*window);
        }
    }
    return InWindow(rootWindow);
}

StartRequest ReadProgramSwitches(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) {
        joined += (joined.empty() ? "" : " ") + argument;
    }
    return ReadCommandLine(joined);
}

}  // namespace tavrino::posix
