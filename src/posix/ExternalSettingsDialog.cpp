#include "posix/ExternalSettingsDialog.h"

#include <type_traits>
#include <utility>
#include <variant>

#include "program/SettingsDialogLayout.h"
#include "program/Twips.h"

namespace tavrino::posix {

namespace {

PixelRect Moved(const PixelRect& rect, const PixelRect& by) {
    return {rect.left + by.left, rect.top + by.top, rect.right + by.right, rect.bottom + by.bottom};
}

PixelRect ClientOf(const DialogState& state, PixelsPerInch resolution) {
    return ClientPixels(DialogShape::Of(state), TwipsPerPixel::Of(resolution));
}

}  // namespace

// The window before its program says otherwise: the client area at the resolution.
ExternalSettingsDialog::ExternalSettingsDialog(DescriptorWatch& loop,
                                               const std::string& programPath,
                                               std::vector<std::string> environment,
                                               SettingsDialogEvents& events,
                                               PixelsPerInch resolution)
    : loop_(loop),
      events_(events),
      programPath_(programPath),
      environment_(std::move(environment)),
      resolution_(resolution),
      rect_(ClientOf(StateAsMade(), resolution)),
      clientHeight_(rect_.Height()) {}

ExternalSettingsDialog::~ExternalSettingsDialog() {
    *alive_ = false;
    if (process_ && !ended_) {
        process_->Send(dialog::Encode(dialog::command::Close{}));
        loop_.Unwatch(process_->Channel());
    }
}

bool ExternalSettingsDialog::Start() {
    if (process_ || ended_) {
        return !ended_;
    }
    process_.emplace(programPath_, environment_);
    if (process_->Channel() < 0) {
        ended_ = true;  // not even a channel: nothing will ever be shown
        return false;
    }
    loop_.Watch(process_->Channel(), [this] { OnReadable(); });
    process_->Send(dialog::Encode(dialog::command::Open{resolution_}));
    return true;
}

PixelRect ExternalSettingsDialog::Rect() const {
    return rect_;
}

// The first report comes before the window is shown, of the window in the table's shape: the
// edges moved so far go first, so the window appears with them, then the lines that waited, whose
// states reshape it.
void ExternalSettingsDialog::TakePlace(const PixelRect& reported) {
    rect_ = reported;
    if (placed_) {
        return;
    }
    placed_ = true;
    const int waitingHeight = clientHeight_;
    clientHeight_ = ClientOf(StateAsMade(), resolution_).Height();
    if (moved_ != PixelRect{}) {
        SetRect(Moved(reported, moved_));
    }
    for (const std::string& line : waitingLines_) {
        process_->Send(line);
    }
    waitingLines_.clear();
    Reshape(waitingHeight);
}

void ExternalSettingsDialog::Reshape(int clientHeight) {
    rect_.bottom += clientHeight - clientHeight_;
    clientHeight_ = clientHeight;
}

void ExternalSettingsDialog::SetRect(const PixelRect& rect) {
    if (!placed_) {
        moved_ = Moved(moved_, PixelRect{rect.left - rect_.left, rect.top - rect_.top,
                                         rect.right - rect_.right, rect.bottom - rect_.bottom});
        rect_ = rect;
        return;
    }
    // Taken at once: callers read the place back before the program can report it.
    rect_ = rect;
    Send(dialog::command::SetRect{rect});
}

void ExternalSettingsDialog::Show() {
    visible_ = Start();
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
    visible_ = Start();  // the window shows as it changes its band
    Send(dialog::command::SetOnTop{onTop});
}

void ExternalSettingsDialog::ShowState(const DialogState& state) {
    Reshape(ClientOf(state, resolution_).Height());
    Send(dialog::command::ShowState{state});
}

void ExternalSettingsDialog::BelongToHost(HostWindowId host) {
    Send(dialog::command::BelongToHost{host});
}

void ExternalSettingsDialog::ShowModal(const std::function<void()>& whenShown) {
    if (!Start()) {
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
    if (ended_) {
        return;
    }
    if (placed_) {
        process_->Send(dialog::Encode(command));
    } else {
        waitingLines_.push_back(dialog::Encode(command));
    }
}

void ExternalSettingsDialog::OnReadable() {
    const std::shared_ptr<bool> alive = alive_;
    const bool open = process_->Receive(lines_);
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
    loop_.Unwatch(process_->Channel());
    process_->End();
    ended_ = true;
    visible_ = false;
    events_.OnEvent(CloseRequested{});
}

void ExternalSettingsDialog::Handle(const dialog::Report& report) {
    std::visit([this](const auto& message) { Take(message); }, report);
}

void ExternalSettingsDialog::Take(const dialog::report::Placed& placed) {
    TakePlace(placed.rect);
}

void ExternalSettingsDialog::Take(const dialog::report::Visibility& visibility) {
    visible_ = visibility.visible;
    modalHidden_ = modalHidden_ || (modalShown_ && !visibility.visible);
}

void ExternalSettingsDialog::Take(const dialog::report::Shown&) {
    const std::function<void()>* whenShown = whenShown_;
    whenShown_ = nullptr;
    modalShown_ = true;
    if (whenShown != nullptr) {
        (*whenShown)();
    }
}

}  // namespace tavrino::posix
