#include "x11/ExternalSettingsDialogs.h"

#include <utility>

namespace tavrino::x11 {

ExternalSettingsDialogs::ExternalSettingsDialogs(DescriptorWatch& loop,
                                                 std::string dialogProgramPath)
    : loop_(loop), programPath_(std::move(dialogProgramPath)) {}

SettingsDialog& ExternalSettingsDialogs::Open(SettingsDialogEvents& events) {
    Close();
    open_ = std::make_unique<ExternalSettingsDialog>(loop_, programPath_, events);
    return *open_;
}

}  // namespace tavrino::x11
