// The settings dialog shown by a program of its own (tavrino-settings), so that the clock never
// links a toolkit. Every call becomes a line to that program; its lines become the events, and
// its reports of the window's place and visibility answer Rect() and Visible(). A program that
// ends, or never starts, counts as the user closing the dialog: OnClose, once.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "seam/SettingsDialog.h"
#include "x11/DescriptorWatch.h"
#include "x11/DialogProcess.h"
#include "x11/dialog/DialogProtocol.h"
#include "x11/dialog/LineBuffer.h"

namespace tavrino::x11 {

class ExternalSettingsDialog final : public SettingsDialog {
  public:
    // Starts the program, hidden.
    ExternalSettingsDialog(DescriptorWatch& loop, const std::string& programPath,
                           SettingsDialogEvents& events);
    ExternalSettingsDialog(const ExternalSettingsDialog&) = delete;
    ExternalSettingsDialog& operator=(const ExternalSettingsDialog&) = delete;
    // Ends the program.
    ~ExternalSettingsDialog() override;

    PixelRect Rect() const override;
    void SetRect(const PixelRect& rect) override;
    bool Visible() const override { return visible_; }
    void Show() override;
    void Hide() override;
    void Focus() override;
    void SetTitle(std::string_view title) override;
    void SetOnTop(bool onTop) override;

    void ShowCheckBox(CheckBox box, CheckState state) override;
    void EnableCheckBox(CheckBox box, bool enabled) override;
    void ShowSlider(int amount) override;
    void EnableSlider(bool enabled) override;
    void ShowLabel(DialogLabel label, std::string_view text) override;
    void BelongToHost(HostWindowId host) override;
    void ShowModal(const std::function<void()>& whenShown) override;

  private:
    void Send(const dialog::Command& command);
    void OnReadable();
    // Passes a report on; the events may close the dialog, which destroys this.
    void Handle(const dialog::Report& report);
    void TakePlace(const dialog::Report& report) const;
    void Ended();

    DescriptorWatch& loop_;
    SettingsDialogEvents& events_;
    mutable DialogProcess process_;  // Rect() may read the first report
    dialog::LineBuffer lines_;
    // Turns false when this is destroyed, for the handlers running at that moment.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    // Until the program reports its place, Rect() waits for that report.
    mutable PixelRect rect_;
    mutable bool placed_ = false;
    bool visible_ = false;
    bool ended_ = false;
    // While ShowModal runs: what to run once shown, and whether it has been hidden since.
    const std::function<void()>* whenShown_ = nullptr;
    bool modalShown_ = false;
    bool modalHidden_ = false;
};

}  // namespace tavrino::x11
