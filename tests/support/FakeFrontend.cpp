#include "support/FakeFrontend.h"

#include <gtest/gtest.h>

namespace tavrino {

FakeSystem::~FakeSystem() {
    EXPECT_EQ(callsAfterEnd, 0) << "calls reached the platform after the process ended";
}

void FakeClockWindow::Resize(const PixelRect& newRect) {
    const bool resized = newRect.Width() != rect.Width() || newRect.Height() != rect.Height();
    rect = newRect;
    if (resized && events != nullptr && !system_.ended) {
        events->OnResize();
    }
}

void FakeClockWindow::ChangeState(WindowState newState) {
    const bool changed = newState != state;
    state = newState;
    if (changed && events != nullptr && !system_.ended) {
        events->OnResize();
    }
}

void FakeClockWindow::SetRect(const PixelRect& newRect) {
    system_.Called();
    Resize(newRect);
}

void FakeClockWindow::SetOnTop(bool top) {
    bandPosition = top && !onTop ? ++system_.bandEntries : bandPosition;
    onTop = top;
    Show();
}

void FakeClockWindow::Restore() {
    system_.Called();
    ChangeState(WindowState::Normal);
}

void FakeClockWindow::Show() {
    system_.Set(visible, true);
    system_.active = this;
}

void FakeClockWindow::Hide() {
    system_.Set(visible, false);
    if (system_.active == this) {
        system_.active = nullptr;
    }
}

void FakeClockWindow::SetTranslucency(int amount) {
    system_.Called();
    if (amount >= 0 && amount <= 255) {
        translucency = amount;
    }
}

void FakeClockWindow::WaitForNextFrame() {
    system_.Called();
    framesShown.push_back(translucency.value_or(-1));
}

bool FakeClockWindow::AttachToHost(HostWindowId id) {
    system_.Called();
    const auto found = hostWindows.find(id);
    if (found == hostWindows.end()) {
        return false;
    }
    host = id;
    visible = true;
    Resize({0, 0, found->second.Width(), found->second.Height()});
    return true;
}

void FakeSettingsDialog::Activate() {
    if (visible && system_.active != this) {
        system_.active = this;
        events.OnEvent(DialogActivated{});
    }
}

void FakeSettingsDialog::Focus() {
    system_.Called();
    Activate();
}

void FakeSettingsDialog::SetOnTop(bool top) {
    bandPosition = top && !onTop ? ++system_.bandEntries : bandPosition;
    onTop = top;
    visible = true;
    Focus();
}

void FakeSettingsDialog::Show() {
    system_.Set(visible, true);
    Activate();
    if (system_.onDialogShown) {
        system_.onDialogShown();
    }
}

void FakeSettingsDialog::Hide() {
    system_.Set(visible, false);
    if (system_.active == this) {
        system_.active = nullptr;
    }
}

void FakeSettingsDialog::ShowModal(const std::function<void()>& whenShown) {
    system_.Set(visible, true);
    Activate();
    whenShown();
    if (system_.onShowModal) {
        system_.onShowModal(*this);
    }
}

// Out of line: GCC 12 warns of an uninitialised temporary when the monitor list's initialiser is
// inlined into a test that makes more than one fake.
FakeFrontend::FakeFrontend() = default;

SettingsDialog& FakeFrontend::Open(SettingsDialogEvents& events, PixelsPerInch layout) {
    Close();
    ++dialogsOpened;
    dialog = &dialogs_.emplace_back(*this, events, layout);
    return *dialog;
}

void FakeFrontend::Close() {
    Called();
    if (dialog != nullptr) {
        dialog->Hide();
        dialog = nullptr;
    }
}

bool FakeFrontend::ClaimFullScreenSaver() {
    Called();
    if (otherSaverRunning) {
        return false;
    }
    claimedSaver = true;
    return true;
}

std::optional<std::string> FakeFrontend::Read(std::string_view key) {
    Called();
    const auto found = stored.find(key);
    return found == stored.end() ? std::nullopt : std::optional<std::string>(found->second);
}

bool FakeFrontend::Write(const std::vector<Setting>& settings) {
    Called();
    callsAfterEnd += flushed ? 1 : 0;
    bool storedAll = true;
    bool storedAny = false;
    for (const Setting& setting : settings) {
        if (refuseWrites || refusedKeys.contains(setting.key)) {
            storedAll = false;
        } else {
            stored.insert_or_assign(setting.key, setting.value);
            storedAny = true;
        }
    }
    writes += storedAny ? 1 : 0;
    return storedAll;
}

bool FakeFrontend::Flush() {
    Called();
    flushed = true;
    return true;
}

void FakeFrontend::RunPendingEvents() {
    Called();
    ++passes;
    if (onPendingEvents) {
        onPendingEvents(passes);
    }
}

}  // namespace tavrino
