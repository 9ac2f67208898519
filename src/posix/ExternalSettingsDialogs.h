// The settings dialogs of the X11 clock: each one a run of the dialog program, started on Open
// and ended on Close, with the environment entries its frontend gives (NAME=value) as they are at
// the Open, which take the place of the clock's variables of those names.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "posix/DescriptorWatch.h"
#include "posix/ExternalSettingsDialog.h"
#include "seam/SettingsDialog.h"

namespace tavrino::posix {

using DialogEnvironment = std::function<std::vector<std::string>()>;

class ExternalSettingsDialogs final : public SettingsDialogs {
  public:
    // dialogProgramPath is usually DialogProgramBesideExecutable().
    ExternalSettingsDialogs(DescriptorWatch& loop, std::string dialogProgramPath,
                            DialogEnvironment environment = {});

    // An open dialog the clock has shown and not hidden since.
    bool Shown() const { return open_ != nullptr && open_->Visible(); }

    SettingsDialog& Open(SettingsDialogEvents& events, PixelsPerInch resolution) override;
    // Ends the program at once; safe from inside the dialog's own events, whose handler stops
    // reading when it finds the dialog gone.
    void Close() override { open_.reset(); }

  private:
    DescriptorWatch& loop_;
    std::string programPath_;
    DialogEnvironment environment_;
    std::unique_ptr<ExternalSettingsDialog> open_;
};

}  // namespace tavrino::posix
