// The clock window frmMain: the start-up window whose load event decides the run mode (desktop
// clock, full-screen screensaver, preview inside the screensaver host's window, or the settings
// dialog alone), restores the options and the window rectangle, and fades the window in. While
// the program runs it drives the clock face from Timer1, keeps the picture box Pic1 over its
// client area, lets the user drag the desktop clock and handles the few keys. Its unload event is
// the one way out: it fades out, saves the rectangle, restores the pointer, unloads the settings
// dialog and ends the process.
//
// The load and unload events let the message loop run after showing the window and after each
// fade step, so any event may arrive in the middle of them, including one that unloads the
// window. Once the process has been ended nothing further runs: the platform ends the process at
// once, and a platform that returns (a test) finds every loop and every handler stopped.
#pragma once

#include <cstdint>

#include "clockface/Tavrino.h"
#include "program/FormMove.h"
#include "program/FrmSet.h"
#include "program/MainMembers.h"
#include "program/ShowMouse.h"
#include "program/WinVersion.h"
#include "seam/Platform.h"

namespace tavrino {

class FrmMain final : public MainMembers, public MainFormEvents {
  public:
    // Key codes and the modifier bit of the keys the window knows.
    static constexpr int kKeyEscape = 27;
    static constexpr int kKeyF1 = 112;
    static constexpr int kKeyF4 = 115;
    static constexpr int kShiftAlt = 4;

    FrmMain(Platform& platform, Tavrino& clockFace, FrmSet& frmSet, FormMove& formMove,
            ShowMouse& showMouse, WinVersion& winVersion);

    void OnLoad() override;
    void OnTimer() override;
    void OnGotFocus() override;
    void OnResize() override;
    void OnKeyDown(int keyCode, int shift) override;
    void OnClick() override;
    void OnMouseMove(int button, int shift, float x, float y) override;
    void OnClose() override;
    void OnHostGone() override;

    // Lays Pic1 over the whole client area and, once loading has finished, repaints the face.
    void ReSizeAll();
    // The window's keys: Esc and Alt+F4 close, F1 opens the settings dialog, and in the
    // screensaver modes any other key closes. Every key stops a running fade.
    void KeyS(int keyCode, int shift);
    // Unloads the window: runs the unload event, which ends the process.
    void Unload();

  private:
    void SetUpScreensaverWindow(const std::string& cmdLine);
    void SetUpDesktopWindow();
    void FadeIn();
    void FadeOut();
    void SaveWindowRect();
    void EndProcess();

    Platform& platform_;
    Form& form_;
    Tavrino& clockFace_;
    FrmSet& frmSet_;
    FormMove& formMove_;
    ShowMouse& showMouse_;
    WinVersion& winVersion_;

    std::int16_t LoadStage = 0;  // 0 loading, 1 while F1 opens the dialog, 2 running
    std::int16_t TLevel = 0;     // the amount a fade has reached
    Flag FadeStop = kFalse;      // -1 asks a running fade to stop

    bool loaded_ = false;
    bool unloading_ = false;
    bool ended_ = false;
};

}  // namespace tavrino
