#include "program/FrmMain.h"

#include <string>

#include "program/CommandLine.h"
#include "program/Conversions.h"
#include "program/ProgVer.h"
#include "program/WindowPlacement.h"

namespace tavrino {

namespace {

constexpr const char* kReleaseDate = " - 02.02.2015";
// The window is built this many pixels left of and above the screen origin, out of sight.
constexpr float kOffScreenPixels = 65536;
constexpr std::int16_t kOpaque = 0;
constexpr std::int16_t kInvisible = 255;
constexpr std::int16_t kFadeInStep = 2;
constexpr std::int16_t kFadeOutStep = 8;

}  // namespace

FrmMain::FrmMain(Platform& platform, Tavrino& clockFace, FrmSet& frmSet, FormMove& formMove,
                 ShowMouse& showMouse, WinVersion& winVersion)
    : platform_(platform),
      form_(platform.MainForm()),
      clockFace_(clockFace),
      frmSet_(frmSet),
      formMove_(formMove),
      showMouse_(showMouse),
      winVersion_(winVersion) {}

void FrmMain::OnLoad() {
    if (loaded_ || ended_) {
        return;
    }
    loaded_ = true;

    TWX = platform_.TwipsPerPixelX();
    TWY = platform_.TwipsPerPixelY();
    RN = "Quenmark";
    PN = "Tavrino";
    VER = ProgramVersionText(platform_.ProgramVersion()) + kReleaseDate;
    CkOT = 0;
    const std::string cmdLine = UpperCaseArguments(platform_.CommandLineArguments());
    // The program never runs inside a development host, so the command line is never replaced
    // by a preview of the host's client area here.

    form_.Hide();
    form_.SetBackColour(0x000000);
    form_.Move(-kOffScreenPixels * TWX, -kOffScreenPixels * TWY, form_.Width(), form_.Height());
    form_.SetCaption(PN);
    platform_.HideTitleBar(form_);

    if (HasSwitch(cmdLine, "/C")) {
        SC = ".scr";
        PConfig = kTrue;
        frmSet_.ShowModal([this] { platform_.SetAlwaysOnTop(frmSet_.Form(), kTrue); });
        if (!ended_) {
            Unload();
        }
        return;
    }
    PStart = kFalse;
    if (HasSwitch(cmdLine, "/S")) {
        SC = ".scr";
        PStart = kTrue;
    }
    if (HasSwitch(cmdLine, "/P")) {
        SC = ".scr";
        PPreview = kTrue;
    }

    frmSet_.Load();
    if (PStart == kTrue || PConfig == kTrue || PPreview == kTrue) {
        CkOT = 1;
    }
    if (PPreview == kFalse) {
        TValue = frmSet_.HSTVal();
        // Only a ticked box fades. A greyed one (a stored "2") would start the window invisible
        // and never fade it in.
        TFaderX = frmSet_.Value(CheckBoxId::CkFade) == 1 ? 1 : 0;
        if (TValue > 0 && winVersion_.LayeredWindowsAvailable()) {
            // Fading in starts from an invisible window.
            platform_.SetTranslucency(form_, TFaderX == 0 ? TValue : kInvisible);
        } else {
            TFaderX = 0;  // no fades without translucency
        }
    }

    if (PStart != kFalse || PPreview != kFalse) {
        SetUpScreensaverWindow(cmdLine);
        if (ended_) {
            return;
        }
    } else {
        SetUpDesktopWindow();
    }

    if (PStart == kTrue) {
        showMouse_.SetCursorVisible(kFalse, kFalse);
    }
    frmSet_.Hide();
    if (CkOT == 1) {
        platform_.SetAlwaysOnTop(form_, kFalse);
        platform_.SetAlwaysOnTop(form_, kTrue);
        form_.SetFocus();
    }
    clockFace_.InitClock(platform_.Pic1().DrawingSurface());
    if (frmSet_.Value(CheckBoxId::CkBlue) == 1) {
        clockFace_.SetBlueDigits();
    } else {
        clockFace_.SetGreenDigits();
    }
    ReSizeAll();
    clockFace_.DrawClock(-1);

    form_.Show();
    platform_.DoEvents();
    if (ended_) {
        return;
    }
    platform_.SetTimerEnabled(true);
    if (TFaderX == 1) {
        FadeIn();
        if (ended_) {
            return;
        }
    }
    LoadStage = 2;
}

void FrmMain::SetUpScreensaverWindow(const std::string& cmdLine) {
    form_.SetBorderStyleNone();
    form_.SetCaption("");
    if (PStart == kTrue) {
        form_.Move(0, 0, platform_.ScreenWidth(), platform_.ScreenHeight());
        CkOT = 1;
    }
    if (PPreview == kTrue) {
        const WindowHandle host = PreviewHandle(cmdLine);
        // Without a host window to draw in there is nothing to show, and nothing to unload.
        if (host == 0 || !platform_.IsWindow(host)) {
            EndProcess();
            return;
        }
        platform_.AttachToParent(form_, host, kTrue);
        ReSizeAll();
        CkOT = 0;
    }
}

void FrmMain::SetUpDesktopWindow() {
    const WindowRect rect = KeepOnScreen(ReadWindowRect(platform_, RN, PN),
                                         platform_.MonitorRects(), platform_.PrimaryWorkArea());
    form_.Move(static_cast<float>(rect.left * TWX), static_cast<float>(rect.top * TWY),
               static_cast<float>(rect.width * TWX), static_cast<float>(rect.height * TWY));
    ReSizeAll();
    if (frmSet_.Value(CheckBoxId::CkOTop) == 1) {
        CkOT = 1;
    }
    // The desktop clock shows a taskbar button only when the store says so; LoadSet alone would
    // tick the box when the key is absent. A text that is no number counts as absent.
    const double taskBar = NumericValue(platform_.ReadSetting(RN, PN, "TaskBar", "0"));
    frmSet_.SetValue(CheckBoxId::CkTask, taskBar == 0 ? 0 : 1);
}

void FrmMain::FadeIn() {
    FadeStop = kFalse;
    const std::int16_t last = TValue;
    for (TLevel = kInvisible; TLevel >= last;
         TLevel = static_cast<std::int16_t>(TLevel - kFadeInStep)) {
        if (FadeStop == kTrue) {
            FadeStop = kFalse;
            platform_.SetTranslucency(form_, TValue);
            break;
        }
        platform_.SetTranslucency(form_, TLevel);
        platform_.DoEvents();
        if (ended_) {
            return;
        }
    }
}

void FrmMain::FadeOut() {
    FadeStop = kFalse;
    // A fade-in stopped early left the window where it stopped; the fade-out goes on from there.
    const std::int16_t start = TLevel > TValue ? TLevel : TValue;
    for (TLevel = start; TLevel <= kInvisible;
         TLevel = static_cast<std::int16_t>(TLevel + kFadeOutStep)) {
        if (FadeStop == kTrue) {
            FadeStop = kFalse;
            platform_.SetTranslucency(form_, kOpaque);
            break;
        }
        platform_.SetTranslucency(form_, TLevel);
        platform_.DoEvents();
        if (ended_) {
            return;
        }
    }
}

void FrmMain::OnTimer() {
    if (!ended_) {
        clockFace_.DrawClock(0);
    }
}

void FrmMain::OnGotFocus() {
    if (!ended_) {
        clockFace_.DrawClock(-1);
    }
}

void FrmMain::OnResize() {
    if (ended_ || LoadStage == 0) {
        return;
    }
    if (form_.GetWindowState() == WindowState::Normal && PStart == kFalse) {
        if (form_.Width() < kMinimumWindowPixels * TWX) {
            form_.SetWidth(kMinimumWindowPixels * TWX);
        }
        if (form_.Height() < kMinimumWindowPixels * TWY) {
            form_.SetHeight(kMinimumWindowPixels * TWY);
        }
    }
    if (LoadStage > 1) {
        ReSizeAll();
    }
}

void FrmMain::ReSizeAll() {
    if (form_.GetWindowState() != WindowState::Normal) {
        form_.SetWindowState(WindowState::Normal);
    }
    PictureBox& pic1 = platform_.Pic1();
    pic1.DrawingSurface().Clear();
    pic1.SetWidth(form_.ScaleWidth());
    pic1.SetHeight(form_.ScaleHeight());
    pic1.SetTop((form_.ScaleHeight() - pic1.Height()) / 2);
    pic1.SetLeft((form_.ScaleWidth() - pic1.Width()) / 2);
    pic1.DrawingSurface().Refresh();
    if (LoadStage > 1) {
        clockFace_.DrawClock(-1);
    }
}

void FrmMain::OnKeyDown(int keyCode, int shift) {
    KeyS(keyCode, shift);
}

void FrmMain::KeyS(int keyCode, int shift) {
    if (ended_) {
        return;
    }
    FadeStop = kTrue;
    if (shift == kShiftAlt && keyCode == kKeyF4) {
        Unload();
        return;
    }
    if (shift == 0) {
        if (keyCode == kKeyEscape) {
            Unload();
            return;
        }
        if (keyCode == kKeyF1) {
            LoadStage = 1;
            if (PStart == kTrue) {
                showMouse_.SetCursorVisible(kTrue, kFalse);
            }
            frmSet_.Show();
            platform_.SetAlwaysOnTop(frmSet_.Form(), kTrue);
            LoadStage = 2;
            return;
        }
    }
    if (PStart == kTrue || PPreview == kTrue) {
        Unload();
    }
}

void FrmMain::OnClick() {
    if (!ended_ && PStart == kTrue) {
        Unload();
    }
}

void FrmMain::OnMouseMove(int button, int /*shift*/, float x, float y) {
    if (ended_ || PStart != kFalse || PPreview != kFalse) {
        return;
    }
    const bool locked = frmSet_.Value(CheckBoxId::CkLock) != 0;
    formMove_.DragWindow(form_, button, x, y, locked);
}

void FrmMain::OnClose() {
    Unload();
}

void FrmMain::OnHostGone() {
    Unload();
}

void FrmMain::Unload() {
    // A key pressed during the fade-out asks for the unload that is already running.
    if (unloading_ || ended_) {
        return;
    }
    unloading_ = true;
    if (LoadStage > 0 && TFaderX == 1) {
        FadeOut();
        if (ended_) {
            return;
        }
    }
    if (PStart == kFalse && PConfig == kFalse && PPreview == kFalse) {
        SaveWindowRect();
    } else {
        showMouse_.SetCursorVisible(kTrue, kFalse);
    }
    platform_.SetTimerEnabled(false);
    frmSet_.Unload();
    EndProcess();
}

void FrmMain::SaveWindowRect() {
    // A store that cannot be written keeps the previous rectangle; there is nothing else to do.
    platform_.WriteSetting(RN, PN, "WinTop", PixelText(form_.Top() / TWY));
    platform_.WriteSetting(RN, PN, "WinLeft", PixelText(form_.Left() / TWX));
    platform_.WriteSetting(RN, PN, "WinWidth", PixelText(form_.Width() / TWX));
    platform_.WriteSetting(RN, PN, "WinHeight", PixelText(form_.Height() / TWY));
}

void FrmMain::EndProcess() {
    ended_ = true;
    platform_.EndProcess();
}

}  // namespace tavrino
