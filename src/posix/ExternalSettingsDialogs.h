// The settings dialogs of the X11 clock: each one a run of the dialog program, started on Open
// and ended on Close, with the environment entries its frontend gives (NAME=value), which take
// the place of the clock's variables of those names.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "posix/DescriptorWatch.h"
#include "posix/ExternalSettingsDialog.h"
#include "seam/SettingsDialog.h"

namespace tavrino::posix {

class ExternalSettingsDialogs final : public SettingsDialogs {
  public:
    // dialogProgramPath is usually DialogProgramBesideExecutable().
    ExternalSettingsDialogs(DescriptorWatch& loop, std::string dialogProgramPath,
                            std::vector<std::string> environment = {});

    SettingsDialog& Open(SettingsDialogEvents& events, PixelsPerInch resolution) override;
    // Ends the program at once; safe from inside the dialog's own events, whose handler stops
    // reading when it finds the dialog gone.
    void Close() override { open_.reset(); }

  private:
    DescriptorWatch& loop_;
    std::string programPath_;
    std::vector<std::string> environment_;
    std::unique_ptr<ExternalSettingsDialog> open_;
};

}  // namespace tavrino::posix
