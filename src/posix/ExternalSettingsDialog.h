// The settings dialog shown by a program of its own (tavrino-settings), so that the clock never
// links a toolkit. Every call becomes a line to that program; its lines become the events, and
// its reports of the window's place and visibility answer Rect() and Visible(). A program that
// ends, or never starts, counts as the user closing the dialog: CloseRequested, once.
//
// The program starts only when the dialog is first shown, so a clock whose settings are never
// opened runs without it (a toolkit's start and memory cost far more than the clock's own). It is
// told the resolution to lay the dialog out at before anything else. Until the program reports
// where its window is, the lines wait here, Rect() answers with the dialog's client area at that
// resolution, and a SetRect counts as a move of each edge, which is applied to the window the
// program reports before anything else. The window grows and shrinks with the shape of each state
// sent, by as much as its client area does, here as in the program.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "posix/DescriptorWatch.h"
#include "posix/DialogProcess.h"
#include "posix/dialog/DialogProtocol.h"
#include "posix/dialog/LineBuffer.h"
#include "seam/SettingsDialog.h"

namespace tavrino::posix {

// The reports that are the user's doing, passed on as they are.
template <class Type>
concept IsDialogEvent = std::is_constructible_v<DialogEvent, const Type&>;

class ExternalSettingsDialog final : public SettingsDialog {
  public:
    // The dialog, hidden; its program is not started yet. environment: what the program's
    // environment has in place of the clock's (NAME=value entries).
    ExternalSettingsDialog(DescriptorWatch& loop, const std::string& programPath,
                           std::vector<std::string> environment, SettingsDialogEvents& events,
                           PixelsPerInch resolution);
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

    void ShowState(const DialogState& state) override;
    void BelongToHost(HostWindowId host) override;
    void ShowModal(const std::function<void()>& whenShown) override;

  private:
    // Starts the program; false when it cannot be reached.
    bool Start();
    void Send(const dialog::Command& command);
    void OnReadable();
    // Passes a report on; the events may close the dialog, which destroys this.
    void Handle(const dialog::Report& report);
    template <class Event>
    requires IsDialogEvent<Event>
    void Take(const Event& event) { events_.OnEvent(event); }
    void Take(const dialog::report::Placed& placed);
    void Take(const dialog::report::Visibility& visibility);
    void Take(const dialog::report::Shown& shown);
    void TakePlace(const PixelRect& reported);
    // The window grows or shrinks as its client area does, to this height.
    void Reshape(int clientHeight);
    void Ended();

    DescriptorWatch& loop_;
    SettingsDialogEvents& events_;
    const std::string programPath_;
    const std::vector<std::string> environment_;
    const PixelsPerInch resolution_;
    std::optional<DialogProcess> process_;
    std::vector<std::string> waitingLines_;  // until the program reports its place
    dialog::LineBuffer lines_;
    // Turns false when this is destroyed, for the handlers running at that moment.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    PixelRect rect_;
    bool placed_ = false;  // the program has reported its window's place
    int clientHeight_;     // in the shape of the last state sent
    // How far each edge was moved before that report.
    PixelRect moved_;
    bool visible_ = false;
    bool ended_ = false;
    // While ShowModal runs: what to run once shown, and whether it has been hidden since.
    const std::function<void()>* whenShown_ = nullptr;
    bool modalShown_ = false;
    bool modalHidden_ = false;
};

}  // namespace tavrino::posix
