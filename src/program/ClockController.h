// The clock window's behaviour. Start sets up the run mode the frontend asks for:
// the desktop clock where the user left it, the full-screen screensaver, the preview inside the
// screensaver host's window, or the settings dialog alone. While the clock runs it draws the face
// on every tick, keeps the face fitted to the window, lets the user drag the desktop clock and
// handles the few keys. The tick comes just after each wall-clock second begins (SecondTicks.h).
// Closing is the one way out: it fades out, stores the desktop clock's rectangle, shows the pointer
// again, closes the settings dialog and ends the process.
//
// A fade shows one step per displayed frame (about 1.6 s for the default fade-in at 60 Hz). Start
// and the fades let pending events run after showing the window and after each fade step, so any
// event may arrive in the middle of them, including one that closes the clock. Once the
// process has been ended nothing further runs: a frontend either ends the process at once, or
// returns from EndProcess (the X11 one, whose loop then stops, and a test's) and finds every
// loop and every handler stopped.
#pragma once

#include "program/ClockFaces.h"
#include "program/MonitorLayout.h"
#include "program/Options.h"
#include "program/RunState.h"
#include "program/SettingsController.h"
#include "program/StartRequest.h"
#include "program/WindowDrag.h"
#include "seam/Frontend.h"
#include "surface/Surface.h"

namespace tavrino {

class ClockController final : public ClockWindowEvents, public TickEvents {
  public:
    ClockController(const Frontend& frontend, Surface& faceSurface, RunState& run, Options& options,
                    ClockFaces& clockFaces, SettingsController& settings);
    ClockController(const ClockController&) = delete;
    ClockController& operator=(const ClockController&) = delete;

    void Start(const StartRequest& request);

    void OnFocus() override;
    void OnResize() override;
    // Esc and Alt+F4 close, F1 opens the settings dialog, and in the screensaver modes any other
    // key closes. Every key stops a running fade.
    void OnKey(const KeyPress& key) override;
    void OnClick() override;
    void OnPointerMove(const PointerMove& move) override;
    void OnClose() override;
    void OnHostGone() override;
    // Lays the screensaver out again over the monitors there are now.
    void OnMonitorsChanged() override;
    // Ends the full-screen screensaver as a key would; the other modes go on.
    void OnOtherProgramActivated() override;

    void OnTick() override;
    void OnWallClockChanged() override;

  private:
    static constexpr int kOpaque = 0;
    static constexpr int kInvisible = 255;

    // Where the start has got to. Resizes are ignored while loading, and only keep the minimum
    // size while F1 opens the dialog.
    enum class Stage { Loading, OpeningDialog, Running };

    void PrepareHiddenWindow();
    void StartConfiguration(HostWindowId owner);
    bool StartDesktop();
    void StartFullScreen();
    bool StartPreview(HostWindowId host);
    void ShowClock(bool putOnTop);
    void DrawAfterResizeWhileLoading();
    void PrepareTranslucency();
    void RemoveFrame();
    void OpenSettings();
    void KeepMinimumSize();
    void FitFaceToWindow();
    MonitorLayout CurrentMonitorLayout() const;
    void ShowFacePerMonitor();
    void ShowFacePerMonitorOfDesk();
    void RequestNextTick(const LocalTime& beforeDrawing);
    void FadeIn();
    void FadeOut();
    bool RunPendingEvents();
    void Close();
    void EndProcess();

    Frontend frontend_;
    ClockWindow& window_;
    Surface& faceSurface_;
    RunState& run_;
    Options& options_;
    ClockFaces& clockFaces_;
    SettingsController& settings_;
    WindowDrag drag_;

    Stage stage_ = Stage::Loading;
    bool fades_ = false;     // fade in at the start and out at the end
    int fadeLevel_ = 0;      // the translucency a fade has reached
    bool stopFade_ = false;  // asks a running fade to stop
    bool ticking_ = false;   // the face is shown and follows the wall clock
    bool resizedWhileLoading_ = false;
    bool started_ = false;
    bool closing_ = false;
    bool ended_ = false;
};

}  // namespace tavrino
