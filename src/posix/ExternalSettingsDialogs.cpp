#include "posix/ExternalSettingsDialogs.h"

#include <utility>

namespace tavrino::posix {

ExternalSettingsDialogs::ExternalSettingsDialogs(DescriptorWatch& loop,
                                                 std::string dialogProgramPath)
    : loop_(loop), programPath_(std::move(dialogProgramPath)) {}

SettingsDialog& ExternalSettingsDialogs::Open(SettingsDialogEvents& events,
                                              PixelsPerInch resolution) {
    Close();
    open_ = std::make_unique<ExternalSettingsDialog>(loop_, programPath_, events, resolution);
    return *open_;
}

}  // namespace tavrino::posix
