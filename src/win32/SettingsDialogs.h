// The one settings dialog of the program: made on Open, hidden on Close. A closed dialog lives on
// until the message loop is back at its top (ReleaseClosed), because the program may close it
// from inside one of the dialog's own message handlers.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "seam/Screen.h"
#include "seam/SettingsDialog.h"
#include "win32/SettingsDialog.h"

namespace tavrino::win32 {

class SettingsDialogs final : public tavrino::SettingsDialogs {
  public:
    explicit SettingsDialogs(HINSTANCE instance);
    SettingsDialogs(const SettingsDialogs&) = delete;
    SettingsDialogs& operator=(const SettingsDialogs&) = delete;
    ~SettingsDialogs() override = default;

    tavrino::SettingsDialog& Open(SettingsDialogEvents& events, PixelsPerInch resolution) override;
    void Close() override;

    // The open dialog, if any.
    SettingsDialog* Current() { return open_.get(); }
    // The open dialog's keyboard handling for a message of the thread's loop; true when the
    // dialog took the message.
    bool PreTranslate(MSG& message);
    // Destroys the dialogs closed since the last call.
    void ReleaseClosed() { closed_.clear(); }

  private:
    HINSTANCE instance_;
    std::unique_ptr<SettingsDialog> open_;
    std::vector<std::unique_ptr<SettingsDialog>> closed_;
};

}  // namespace tavrino::win32
