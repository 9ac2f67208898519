#include "program/CommandLine.h"

#include "program/Conversions.h"

namespace tavrino {

namespace {

bool HasSwitch(std::string_view cmdLine, std::string_view switchText) {
    return cmdLine.find(switchText) != std::string_view::npos;
}

RunMode RunModeOf(std::string_view cmdLine, bool screensaverFile) {
    if (HasSwitch(cmdLine, "/C")) {
        return RunMode::Configuration;
    }
    const bool fullScreen = HasSwitch(cmdLine, "/S");
    const bool preview = HasSwitch(cmdLine, "/P");
    if (fullScreen && preview) {
        return RunMode::PreviewAndFullScreen;
    }
    if (preview) {
        return RunMode::Preview;
    }
    if (fullScreen) {
        return RunMode::FullScreen;
    }
    return screensaverFile ? RunMode::Configuration : RunMode::Desktop;
}

HostWindowId PreviewHandle(std::string_view cmdLine) {
    const std::string_view afterSwitch = cmdLine.size() > 2 ? cmdLine.substr(2) : "";
    return ToUint32(NumericValue(afterSwitch)).value_or(0);
}

HostWindowId ConfigurationOwner(std::string_view cmdLine) {
    const std::size_t at = cmdLine.find("/C");
    if (at == std::string_view::npos) {
        return 0;
    }
    std::string_view afterSwitch = cmdLine.substr(at + 2);
    if (afterSwitch.starts_with(':')) {
        afterSwitch.remove_prefix(1);
    }
    return ToUint32(NumericValue(afterSwitch)).value_or(0);
}

}  // namespace

std::string UpperCaseArguments(std::string_view arguments) {
    std::string upper(arguments);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

StartRequest ReadCommandLine(std::string_view arguments, bool screensaverFile) {
    const std::string cmdLine = UpperCaseArguments(arguments);
    const RunMode mode = RunModeOf(cmdLine, screensaverFile);
    switch (mode) {
        case RunMode::Configuration:
            return {mode, ConfigurationOwner(cmdLine)};
        case RunMode::Preview:
        case RunMode::PreviewAndFullScreen:
            return {mode, PreviewHandle(cmdLine)};
        case RunMode::Desktop:
        case RunMode::FullScreen:
            break;
    }
    return {mode, 0};
}

}  // namespace tavrino
