#include "win32/SettingsDialogs.h"

#include <utility>

namespace tavrino::win32 {

SettingsDialogs::SettingsDialogs(HINSTANCE instance) : instance_(instance) {}

tavrino::SettingsDialog& SettingsDialogs::Open(SettingsDialogEvents& events,
                                               PixelsPerInch resolution) {
    Close();
    open_ = std::make_unique<SettingsDialog>(instance_, events, resolution);
    return *open_;
}

void SettingsDialogs::Close() {
    if (open_ == nullptr) {
        return;
    }
    open_->Hide();
    closed_.push_back(std::move(open_));
}

bool SettingsDialogs::PreTranslate(MSG& message) {
    return open_ != nullptr && open_->PreTranslate(message);
}

}  // namespace tavrino::win32
