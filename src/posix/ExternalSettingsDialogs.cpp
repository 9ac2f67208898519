#include "posix/ExternalSettingsDialogs.h"

#include <utility>

namespace tavrino::posix {

ExternalSettingsDialogs::ExternalSettingsDialogs(DescriptorWatch& loop,
                                                 std::string dialogProgramPath)
    : loop_(loop), programPath_(std::move(dialogProgramPath)) {}

SettingsDialog& ExternalSettingsDialogs::Open(SettingsDialogEvents& events) {
    Close();
    open_ = std::make_unique<ExternalSettingsDialog>(loop_, programPath_, events);
    return *open_;
}

}  // namespace tavrino::posix
