#include "x11/ExternalSettingsDialog.h"

#include <chrono>
#include <type_traits>

namespace tavrino::x11 {

namespace {

// How long Rect() waits for a program that is still starting to report where it is.
constexpr auto kPlaceTimeout = std::chrono::seconds(5);

}  // namespace

ExternalSettingsDialog::ExternalSettingsDialog(DescriptorWatch& loop,
                                               const std::string& programPath,
                                               SettingsDialogEvents& events)
    : loop_(loop), events_(events), process_(programPath) {
    if (process_.Channel() < 0) {
        ended_ = true;  // not even a channel: nothing will ever be shown
        return;
    }
    loop_.Watch(process_.Channel(), [this] { OnReadable(); });
}

ExternalSettingsDialog::~ExternalSettingsDialog() {
    *alive_ = false;
    if (!ended_) {
        Send(dialog::command::Close{});
        loop_.Unwatch(process_.Channel());
    }
}

PixelRect ExternalSettingsDialog::Rect() const {
    // The program's first line says where its window is.
    if (!placed_ && !ended_) {
        const auto line = process_.AwaitLine(kPlaceTimeout);
        const auto report = line ? dialog::DecodeReport(*line) : std::nullopt;
        if (report) {
            TakePlace(*report);
        }
    }
    return rect_;
}

void ExternalSettingsDialog::TakePlace(const dialog::Report& report) const {
    if (const auto* placed = std::get_if<dialog::report::Placed>(&report)) {
        rect_ = placed->rect;
        placed_ = true;
    }
}

void ExternalSettingsDialog::SetRect(const PixelRect& rect) {
    // Taken at once: callers read the place back before the program can report it.
    rect_ = rect;
    placed_ = true;
    Send(dialog::command::SetRect{rect});
}

void ExternalSettingsDialog::Show() {
    visible_ = !ended_;
    Send(dialog::command::Show{});
}

void ExternalSettingsDialog::Hide() {
    visible_ = false;
    modalHidden_ = true;
    Send(dialog::command::Hide{});
}

void ExternalSettingsDialog::Focus() {
    Send(dialog::command::Focus{});
}

void ExternalSettingsDialog::SetTitle(std::string_view title) {
    Send(dialog::command::SetTitle{std::string(title)});
}

void ExternalSettingsDialog::SetOnTop(bool onTop) {
    visible_ = !ended_;  // the window shows as it changes its band
    Send(dialog::command::SetOnTop{onTop});
}

void ExternalSettingsDialog::ShowCheckBox(CheckBox box, CheckState state) {
    Send(dialog::command::ShowCheckBox{box, state});
}

void ExternalSettingsDialog::EnableCheckBox(CheckBox box, bool enabled) {
    Send(dialog::command::EnableCheckBox{box, enabled});
}

void ExternalSettingsDialog::ShowSlider(int amount) {
    Send(dialog::command::ShowSlider{amount});
}

void ExternalSettingsDialog::EnableSlider(bool enabled) {
    Send(dialog::command::EnableSlider{enabled});
}

void ExternalSettingsDialog::ShowLabel(DialogLabel label, std::string_view text) {
    Send(dialog::command::ShowLabel{label, std::string(text)});
}

void ExternalSettingsDialog::BelongToHost(HostWindowId host) {
    Send(dialog::command::BelongToHost{host});
}

void ExternalSettingsDialog::ShowModal(const std::function<void()>& whenShown) {
    if (ended_) {
        return;  // nothing will come to end the loop
    }
    const std::shared_ptr<bool> alive = alive_;
    whenShown_ = &whenShown;
    modalShown_ = false;
    modalHidden_ = false;
    Send(dialog::command::ShowModal{});
    loop_.RunUntil([&] { return !*alive || ended_ || modalHidden_; });
    if (*alive) {
        whenShown_ = nullptr;
    }
}

void ExternalSettingsDialog::Send(const dialog::Command& command) {
    if (!ended_) {
        process_.Send(dialog::Encode(command));
    }
}

void ExternalSettingsDialog::OnReadable() {
    const std::shared_ptr<bool> alive = alive_;
    const bool open = process_.Receive(lines_);
    while (const auto line = lines_.NextLine()) {
        if (const auto report = dialog::DecodeReport(*line)) {
            Handle(*report);
            if (!*alive) {
                return;
            }
        }
    }
    if (!open) {
        Ended();
    }
}

void ExternalSettingsDialog::Ended() {
    loop_.Unwatch(process_.Channel());
    process_.End();
    ended_ = true;
    visible_ = false;
    events_.OnClose();
}

void ExternalSettingsDialog::Handle(const dialog::Report& report) {
    using namespace dialog::report;
    std::visit(
        [this, &report](const auto& message) {
            using Message = std::decay_t<decltype(message)>;
            if constexpr (std::is_same_v<Message, Activated>) {
                events_.OnActivated();
            } else if constexpr (std::is_same_v<Message, Deactivated>) {
                events_.OnDeactivated();
            } else if constexpr (std::is_same_v<Message, LostFocus>) {
                events_.OnLostFocus();
            } else if constexpr (std::is_same_v<Message, Close>) {
                events_.OnClose();
            } else if constexpr (std::is_same_v<Message, Ok>) {
                events_.OnOk();
            } else if constexpr (std::is_same_v<Message, CheckBoxClicked>) {
                events_.OnCheckBoxClicked(message.box);
            } else if constexpr (std::is_same_v<Message, SliderMoved>) {
                events_.OnSliderMoved(message.amount);
            } else if constexpr (std::is_same_v<Message, PictureClicked>) {
                events_.OnPictureClicked();
            } else if constexpr (std::is_same_v<Message, Placed>) {
                TakePlace(report);
            } else if constexpr (std::is_same_v<Message, Visibility>) {
                visible_ = message.visible;
                modalHidden_ = modalHidden_ || (modalShown_ && !message.visible);
            } else if constexpr (std::is_same_v<Message, Shown>) {
                const std::function<void()>* whenShown = whenShown_;
                whenShown_ = nullptr;
                modalShown_ = true;
                if (whenShown != nullptr) {
                    (*whenShown)();
                }
            }
        },
        report);
}

}  // namespace tavrino::x11
