// The clock's start, one function per run mode and the tail they share.
#include <string>
#include <string_view>

#include "program/ClockController.h"
#include "program/FaceDrawing.h"
#include "program/OptionsStore.h"
#include "program/ProgramNames.h"
#include "program/VersionText.h"
#include "program/WindowPlacement.h"

namespace tavrino {

namespace {

constexpr std::string_view kReleaseDate = " - 02.02.2015";
// The window is set up this many pixels left of and above the screen's corner, out of sight.
constexpr float kOffScreenPixels = 65536;

}  // namespace

void ClockController::Start(const StartRequest& request) {
    if (started_ || ended_) {
        return;
    }
    started_ = true;
    run_.resolution = frontend_.screen.Resolution();
    run_.twips = TwipsPerPixel::Of(run_.resolution);
    Process& process = frontend_.process;
    run_.versionText = ProgramVersionText(process.ProgramVersion()) + std::string(kReleaseDate);
    run_.mode = request.mode;
    // One full-screen screensaver at a time: a second one ends before it shows anything.
    if (run_.mode == RunMode::FullScreen && !process.ClaimFullScreenSaver()) {
        EndProcess();
        return;
    }
    PrepareHiddenWindow();
    bool putOnTop = false;
    switch (run_.mode) {
        case RunMode::Configuration:
            StartConfiguration(request.hostWindow);
            return;
        case RunMode::Desktop:
            putOnTop = StartDesktop();
            break;
        case RunMode::FullScreen:
            StartFullScreen();
            putOnTop = true;
            break;
        case RunMode::Preview:
        case RunMode::PreviewAndFullScreen:
            if (!StartPreview(request.hostWindow)) {
                return;
            }
            break;
    }
    ShowClock(putOnTop);
}

void ClockController::PrepareHiddenWindow() {
    const TwipsPerPixel& twips = run_.twips;
    const PixelRect rect = window_.Rect();
    window_.Hide();
    window_.SetRect(twips.RectFromTwips(-kOffScreenPixels * twips.x, -kOffScreenPixels * twips.y,
                                        twips.TwipsX(rect.Width()), twips.TwipsY(rect.Height())));
    window_.SetTitle(kProgramName);
    window_.HideTitleBar();
}

void ClockController::StartConfiguration(HostWindowId owner) {
    settings_.ShowModalOnTop(owner);
    Close();
}

// Returns whether the clock goes on top.
bool ClockController::StartDesktop() {
    settings_.Open();
    PrepareTranslucency();
    SettingsStore& store = frontend_.store;
    const Screen& screen = frontend_.screen;
    const WindowRect stored =
        KeepOnScreen(ReadWindowRect(store), screen.Monitors(), screen.PrimaryWorkArea());
    window_.SetRect(PlacedRect(stored, run_.twips));
    FitFaceToWindow();
    const bool putOnTop = options_[CheckBox::AlwaysOnTop] == CheckState::Ticked;
    settings_.SetCheckBox(CheckBox::TaskbarButton,
                          StoredTaskbarButton(store) ? CheckState::Ticked : CheckState::Clear);
    return putOnTop;
}

void ClockController::StartFullScreen() {
    settings_.Open();
    PrepareTranslucency();
    RemoveFrame();
    window_.SetRect(CurrentMonitorLayout().window);
}

// Returns false when there is no host window to show the clock in: the process has ended.
bool ClockController::StartPreview(HostWindowId host) {
    settings_.Open();
    RemoveFrame();
    if (host == 0 || !window_.AttachToHost(host)) {
        EndProcess();
        return false;
    }
    FitFaceToWindow();
    return true;
}

void ClockController::ShowClock(bool putOnTop) {
    if (IsFullScreen(run_.mode)) {
        window_.SetPointerVisible(false);
    }
    settings_.Hide();
    if (putOnTop) {
        window_.SetOnTop(false);
        window_.SetOnTop(true);
        window_.Focus();
    }
    clockFaces_.InitClock(faceSurface_);
    ShowDigitColour(clockFaces_, options_[CheckBox::BlueDigits]);
    clockFaces_.SetOptions(FaceOptionsOf(options_, run_.mode));
    FitFaceToWindow();
    resizedWhileLoading_ = false;  // the face is fitted to the window as it is now
    const LocalTime shown = frontend_.time.Now();
    clockFaces_.DrawClock(Redraw::Everything);
    window_.Show();
    if (!RunPendingEvents()) {
        return;
    }
    DrawAfterResizeWhileLoading();
    ticking_ = true;
    RequestNextTick(shown);
    if (fades_) {
        FadeIn();
    }
    stage_ = Stage::Running;
    DrawAfterResizeWhileLoading();
}

// A window that took its size only once shown (an X server's answer comes when it comes) may
// have lost what was drawn for its earlier size: the face is fitted and drawn anew.
void ClockController::DrawAfterResizeWhileLoading() {
    if (!resizedWhileLoading_ || ended_) {
        return;
    }
    resizedWhileLoading_ = false;
    FitFaceToWindow();
    clockFaces_.DrawClock(Redraw::Everything);
}

void ClockController::PrepareTranslucency() {
    // Only a ticked box fades: a greyed one would start the window invisible and never fade it in.
    fades_ = options_[CheckBox::Fade] == CheckState::Ticked;
    if (options_.translucency > 0 && window_.TranslucencyAvailable()) {
        // Fading in starts from an invisible window.
        window_.SetTranslucency(fades_ ? kInvisible : options_.translucency);
    } else {
        fades_ = false;
    }
}

void ClockController::RemoveFrame() {
    window_.RemoveBorder();
    window_.SetTitle("");
}

}  // namespace tavrino
