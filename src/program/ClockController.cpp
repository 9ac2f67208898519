#include "program/ClockController.h"

#include <algorithm>

#include "program/FaceDrawing.h"
#include "program/SecondTicks.h"
#include "program/WindowPlacement.h"

namespace tavrino {

namespace {

constexpr int kFadeInStep = 2;
constexpr int kFadeOutStep = 8;

bool AltOnly(const KeyPress& key) {
    return key.alt && !key.shift && !key.control;
}

}  // namespace

ClockController::ClockController(const Frontend& frontend, Surface& faceSurface, RunState& run,
                                 Options& options, ClockFaces& clockFaces,
                                 SettingsController& settings)
    : frontend_(frontend),
      window_(frontend.clockWindow),
      faceSurface_(faceSurface),
      run_(run),
      options_(options),
      clockFaces_(clockFaces),
      settings_(settings) {}

// A tick that comes before the second has changed draws nothing and asks for the rest of it.
void ClockController::OnTick() {
    if (ended_) {
        return;
    }
    const LocalTime now = frontend_.time.Now();
    clockFaces_.DrawClock(Redraw::Changed);
    RequestNextTick(now);
}

// The face may show any time now, and the tick's phase is off: both start afresh.
void ClockController::OnWallClockChanged() {
    if (ended_) {
        return;
    }
    const LocalTime now = frontend_.time.Now();
    clockFaces_.DrawClock(Redraw::Everything);
    if (ticking_) {
        RequestNextTick(now);
    }
}

// Armed from the time after drawing, so the drawing does not make the next tick late. When a new
// second began while drawing, the face may not show it yet: the tick comes back at once.
void ClockController::RequestNextTick(const LocalTime& beforeDrawing) {
    const LocalTime now = frontend_.time.Now();
    frontend_.ticks.RequestTick(SameSecond(now, beforeDrawing) ? DelayToNextSecond(now)
                                                               : kTickMargin);
}

void ClockController::OnFocus() {
    if (!ended_) {
        clockFaces_.DrawClock(Redraw::Everything);
    }
}

void ClockController::OnResize() {
    if (ended_) {
        return;
    }
    if (stage_ == Stage::Loading) {
        resizedWhileLoading_ = true;
        return;
    }
    if (window_.State() == WindowState::Normal && !IsFullScreen(run_.mode)) {
        KeepMinimumSize();
    }
    if (stage_ == Stage::Running) {
        FitFaceToWindow();
    }
}

void ClockController::KeepMinimumSize() {
    PixelRect rect = window_.Rect();
    if (rect.Width() >= kMinimumWindowPixels && rect.Height() >= kMinimumWindowPixels) {
        return;
    }
    rect.right = rect.left + std::max(rect.Width(), kMinimumWindowPixels);
    rect.bottom = rect.top + std::max(rect.Height(), kMinimumWindowPixels);
    window_.SetRect(rect);
}

// The face fills the window's client area, or in the screensaver each monitor's region of it (in a
// preview too when its host window covers the whole desk, as the root window does); once the
// clock runs it is drawn anew there.
void ClockController::FitFaceToWindow() {
    if (window_.State() != WindowState::Normal) {
        window_.Restore();
    }
    faceSurface_.Clear();
    if (run_.mode == RunMode::FullScreen) {
        ShowFacePerMonitor();
    } else if (IsPreview(run_.mode)) {
        ShowFacePerMonitorOfDesk();
    }
    faceSurface_.Refresh();
    if (stage_ == Stage::Running) {
        clockFaces_.DrawClock(Redraw::Everything);
    }
}

MonitorLayout ClockController::CurrentMonitorLayout() const {
    return LayOutMonitors(frontend_.screen.Monitors(), frontend_.screen.PrimaryMonitor());
}

// The faces go where the monitors are, seen from where the window actually is.
void ClockController::ShowFacePerMonitor() {
    const PixelRect window = window_.Rect();
    MonitorLayout layout = CurrentMonitorLayout();
    for (PixelRect& face : layout.faces) {
        face = MovedTo(face, face.left + layout.window.left - window.left,
                       face.top + layout.window.top - window.top);
    }
    clockFaces_.ShowOnRegions(layout.faces, layout.primaryFace);
}

// A host window of the whole desk's size is taken to be the desk itself: the faces go where the
// monitors are in it. Any other host shows one face, which counts as the primary monitor's when
// the window's middle is on that monitor.
void ClockController::ShowFacePerMonitorOfDesk() {
    const PixelRect window = window_.Rect();
    const MonitorLayout layout = CurrentMonitorLayout();
    const bool coversDesk =
        window.Width() == layout.window.Width() && window.Height() == layout.window.Height();
    clockFaces_.ShowOnRegions(coversDesk ? layout.faces : std::vector<PixelRect>{},
                              layout.primaryFace);
    const PixelRect onScreen = window_.ScreenRect();
    const PixelRect primary = frontend_.screen.PrimaryMonitor();
    const int middleX = onScreen.left + onScreen.Width() / 2;
    const int middleY = onScreen.top + onScreen.Height() / 2;
    clockFaces_.SetWholeOnPrimary(middleX >= primary.left && middleX < primary.right &&
                                  middleY >= primary.top && middleY < primary.bottom);
}

void ClockController::OnMonitorsChanged() {
    if (ended_ || run_.mode != RunMode::FullScreen) {
        return;
    }
    window_.SetRect(CurrentMonitorLayout().window);
    if (stage_ == Stage::Running) {
        FitFaceToWindow();
    }
}

void ClockController::OnKey(const KeyPress& key) {
    // A key already down when it reached us was pressed for someone else, such as the Esc that
    // closed the settings just before this window appeared and is still held.
    if (ended_ || key.repeat) {
        return;
    }
    stopFade_ = true;
    if (AltOnly(key) && key.key == Key::F4) {
        Close();
        return;
    }
    if (key.NoModifiers()) {
        if (key.key == Key::Escape) {
            Close();
            return;
        }
        if (key.key == Key::F1) {
            OpenSettings();
            return;
        }
    }
    if (IsScreensaverWindow(run_.mode)) {
        Close();
    }
}

void ClockController::OpenSettings() {
    stage_ = Stage::OpeningDialog;
    if (IsFullScreen(run_.mode)) {
        window_.SetPointerVisible(true);
    }
    settings_.ShowOnTop();
    stage_ = Stage::Running;
}

void ClockController::OnClick() {
    if (!ended_ && IsFullScreen(run_.mode)) {
        Close();
    }
}

void ClockController::OnPointerMove(const PointerMove& move) {
    if (ended_ || IsScreensaverWindow(run_.mode)) {
        return;
    }
    const bool locked = options_[CheckBox::LockPosition] != CheckState::Clear;
    drag_.Follow(window_, move, locked, run_.twips);
}

void ClockController::OnClose() {
    Close();
}

void ClockController::OnHostGone() {
    Close();
}

// A saver left on top while the keys go to another program would hide that program.
void ClockController::OnOtherProgramActivated() {
    if (run_.mode == RunMode::FullScreen) {
        Close();
    }
}

void ClockController::Close() {
    // A key pressed during the fade-out asks for the close that is already running.
    if (closing_ || ended_) {
        return;
    }
    closing_ = true;
    if (stage_ != Stage::Loading && fades_) {
        FadeOut();
        if (ended_) {
            return;
        }
    }
    if (run_.mode == RunMode::Desktop) {
        StoreWindowRect(frontend_.store, window_.Rect(), run_.twips);
    } else {
        window_.SetPointerVisible(true);
    }
    ticking_ = false;
    frontend_.ticks.CancelTick();
    settings_.Close();
    EndProcess();
}

void ClockController::FadeIn() {
    stopFade_ = false;
    const int last = options_.translucency;
    for (fadeLevel_ = kInvisible; fadeLevel_ >= last; fadeLevel_ -= kFadeInStep) {
        if (stopFade_) {
            stopFade_ = false;
            window_.SetTranslucency(options_.translucency);
            return;
        }
        window_.SetTranslucency(fadeLevel_);
        window_.WaitForNextFrame();
        if (!RunPendingEvents()) {
            return;
        }
    }
}

void ClockController::FadeOut() {
    stopFade_ = false;
    // A fade-in stopped early left the level where it stopped; the fade-out goes on from there.
    for (fadeLevel_ = std::max(fadeLevel_, options_.translucency); fadeLevel_ <= kInvisible;
         fadeLevel_ += kFadeOutStep) {
        if (stopFade_) {
            stopFade_ = false;
            window_.SetTranslucency(kOpaque);
            return;
        }
        window_.SetTranslucency(fadeLevel_);
        window_.WaitForNextFrame();
        if (!RunPendingEvents()) {
            return;
        }
    }
}

// One pass of the frontend's events; false when the process was ended during it.
bool ClockController::RunPendingEvents() {
    frontend_.process.RunPendingEvents();
    return !ended_;
}

void ClockController::EndProcess() {
    // The store's last chance to write what it had to keep.
    frontend_.store.Flush();
    ended_ = true;
    frontend_.process.EndProcess();
}

}  // namespace tavrino
