#include "posix/ExternalSettingsDialogs.h"

#include <utility>

namespace tavrino::posix {

ExternalSettingsDialogs::ExternalSettingsDialogs(DescriptorWatch& loop,
                                                 std::string dialogProgramPath,
                                                 DialogEnvironment environment)
    : loop_(loop),
      programPath_(std::move(dialogProgramPath)),
      environment_(std::move(environment)) {}

SettingsDialog& ExternalSettingsDialogs::Open(SettingsDialogEvents& events,
                                              PixelsPerInch resolution) {
    Close();
    open_ = std::make_unique<ExternalSettingsDialog>(
        loop_, programPath_, environment_ ? environment_() : std::vector<std::string>(), events,
        resolution);
    return *open_;
}

}  // namespace tavrino::posix
