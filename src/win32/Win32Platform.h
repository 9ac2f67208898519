// The platform seam over Win32: frmMain and its Pic1 and Timer1 as real windows, the settings
// dialog, the screen's metrics, the message loop, the window services, the pointer, the version
// records, the registry store, the local time (or the demonstration time of TAVRINO_TIME), the
// command line and the end of the process.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clockface/TimeOverride.h"
#include "seam/Platform.h"
#include "win32/MainWindow.h"
#include "win32/RegistryStore.h"
#include "win32/SystemClock.h"
#include "win32/TwipsGeometry.h"

namespace tavrino::win32 {

class SettingsDialog;

// What a run takes from the process by default, and a test may give instead.
struct Win32PlatformOptions {
    std::wstring registryBase = L"Software";
    // The whole command line, program path first; by default the process's own.
    std::optional<std::wstring> commandLine;
    // The TAVRINO_TIME text; by default the process's environment variable.
    std::optional<std::string> timeOverride;
    // Replaces the end of the process (a test keeps running).
    std::function<void()> endProcess;
};

// The arguments of a Windows command line: what follows the program path (quoted or not) and
// the blanks after it.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

class Win32Platform final : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance, Win32PlatformOptions options = {});
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;
    ~Win32Platform() override;

    // Runs the thread's message loop until WM_QUIT and returns its exit code. The program's
    // own end never returns here: EndProcess ends the process.
    int RunMessageLoop();
    MainWindow& Main() { return mainWindow_; }
    SettingsDialog* LoadedSettingsDialog() { return dialog_.get(); }

    Form& MainForm() override { return mainWindow_; }
    PictureBox& Pic1() override { return mainWindow_.Pic1(); }
    SettingsForm& LoadSettingsForm(SettingsFormEvents& events) override;
    void UnloadSettingsForm() override;
    void SetMainFormEvents(MainFormEvents& events) override { mainWindow_.SetEvents(events); }

    float TwipsPerPixelX() const override { return twips_.TwipsPerPixelX(); }
    float TwipsPerPixelY() const override { return twips_.TwipsPerPixelY(); }
    float ScreenWidth() const override;
    float ScreenHeight() const override;
    std::vector<PixelRect> MonitorRects() const override;
    PixelRect PrimaryWorkArea() const override;

    void DoEvents() override;
    void SetTimerEnabled(bool enabled) override { mainWindow_.SetTimerEnabled(enabled); }

    void SetTranslucency(Form& form, int amount) override;
    void SetAlwaysOnTop(Form& form, Flag onTop) override;
    void SetTaskbarVisibility(Form& form, Flag show) override;
    void HideTitleBar(Form& form) override;
    void AttachToParent(Form& form, WindowHandle host, Flag fitSize) override;
    bool IsWindow(WindowHandle handle) const override;

    int ShowCursor(bool show) override;
    void SetCursorPos(int x, int y) override;

    bool GetVersionEx(OsVersionRecord& record) override;
    ProgramVersionTriple ProgramVersion() const override;

    std::string ReadSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) override;
    bool WriteSetting(std::string_view application, std::string_view section, std::string_view key,
                      std::string_view value) override;

    TimeSource& LocalClock() override;
    std::string CommandLineArguments() const override;
    void EndProcess() override;

  private:
    // The dialog's keyboard handling first, then the window's own.
    void Dispatch(MSG& message);
    void ReleaseUnloadedDialogs();

    HINSTANCE instance_;
    Win32PlatformOptions options_;
    TwipsGeometry twips_;
    SystemClock systemClock_;
    std::optional<TimeOverride> timeOverride_;
    RegistryStore store_;
    MainWindow mainWindow_;
    std::unique_ptr<SettingsDialog> dialog_;
    // Unloaded dialogs live on until the message loop is back at its top: an unload may come
    // from inside one of the dialog's own message handlers.
    std::vector<std::unique_ptr<SettingsDialog>> unloadedDialogs_;
};

}  // namespace tavrino::win32
