// A settings dialog that is never seen: it keeps the state the program gives it and shows nothing;
// ShowModal returns at once. A stand-in until the dialog program takes its place in the
// composition.
#pragma once

#include <optional>

#include "seam/SettingsDialog.h"

namespace tavrino::x11 {

class HiddenSettingsDialog final : public SettingsDialog {
  public:
    PixelRect Rect() const override { return rect_; }
    void SetRect(const PixelRect& rect) override { rect_ = rect; }
    bool Visible() const override { return false; }
    void Show() override {}
    void Hide() override {}
    void Focus() override {}
    void SetTitle(std::string_view /*title*/) override {}
    void SetOnTop(bool /*onTop*/) override {}

    void ShowCheckBox(CheckBox /*box*/, CheckState /*state*/) override {}
    void EnableCheckBox(CheckBox /*box*/, bool /*enabled*/) override {}
    void ShowSlider(int /*amount*/) override {}
    void EnableSlider(bool /*enabled*/) override {}
    void ShowLabel(DialogLabel /*label*/, std::string_view /*text*/) override {}
    void BelongToHost(HostWindowId /*host*/) override {}
    void ShowModal(const std::function<void()>& whenShown) override { whenShown(); }

  private:
    PixelRect rect_{};
};

class HiddenSettingsDialogs final : public SettingsDialogs {
  public:
    SettingsDialog& Open(SettingsDialogEvents& /*events*/) override { return dialog_.emplace(); }
    void Close() override {}

  private:
    std::optional<HiddenSettingsDialog> dialog_;
};

}  // namespace tavrino::x11
