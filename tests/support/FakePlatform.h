// A recording fake of the whole platform seam, for testing the program's logic without a window
// system. It models what the logic depends on: the two forms' geometry in twips with a twips-per-
// pixel factor, their visibility, window state, style bits and alpha; which window is active; the
// pointer's display counter; an in-memory settings store that can be made to refuse writes; the
// monitors; a clock; the command line; and Pic1 with a recording surface that follows the box's
// size. Like the real window system it answers some calls with events: a size or state change of
// frmMain raises its resize event, and a window that becomes active raises the activate, focus or
// deactivate event. DoEvents and the modal dialog run scripted hooks, so a test can press a key in
// the middle of a fade or OK while the dialog is modal.
//
// Every call that acts, and every question to the world outside the windows' own properties (the
// store, the version, the command line...), is appended to an ordered log such as
// "SetTranslucency(frmMain,255)" or "frmMain.Move(480,480,3840,3840)". Plain reads of geometry,
// visibility and screen metrics are not logged. EndProcess returns, and every call recorded after
// it is counted, so a test can check that nothing ran after the end.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "seam/Platform.h"
#include "support/RecordingSurface.h"

namespace tavrino {

class FakePlatform;

// What a window looks like to the window manager.
struct FakeWindowState {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool visible = false;
    WindowState state = WindowState::Normal;
    bool borderNone = false;
    bool titleBar = true;  // the caption style bits
    bool layered = false;
    bool topmost = false;
    bool appWindow = false;
    bool child = false;
    WindowHandle parent = 0;
    int alpha = 255;  // meaningful once layered
    std::string caption;
    Colour backColour = 0xFFFFFF;
};

class FakeMainForm final : public Form {
  public:
    FakeMainForm(FakePlatform& platform, WindowHandle handle);

    FakeWindowState window;

    float Left() const override { return window.left; }
    float Top() const override { return window.top; }
    float Width() const override { return window.width; }
    float Height() const override { return window.height; }
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    void Move(float left, float top, float width, float height) override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    bool Visible() const override { return window.visible; }
    void Show() override;
    void Hide() override;
    void SetFocus() override;
    WindowState GetWindowState() const override { return window.state; }
    void SetWindowState(WindowState state) override;
    void SetBorderStyleNone() override;
    void SetCaption(std::string_view caption) override;
    void SetBackColour(Colour colour) override;
    WindowHandle Handle() const override { return handle_; }

  private:
    void Resized(float oldWidth, float oldHeight);

    FakePlatform& platform_;
    WindowHandle handle_;
};

class FakeSettingsForm final : public SettingsForm {
  public:
    FakeSettingsForm(FakePlatform& platform, WindowHandle handle, SettingsFormEvents& events);

    FakeWindowState window;
    SettingsFormEvents& events;
    // What the dialog displays, as the logic pushed it. Controls start as a new dialog has them.
    std::map<CheckBoxId, std::int16_t> boxes;
    std::map<CheckBoxId, bool> boxEnabled;
    std::int16_t slider = 0;
    bool sliderEnabled = true;
    std::map<LabelId, std::string> labels;
    bool modal = false;

    float Left() const override { return window.left; }
    float Top() const override { return window.top; }
    float Width() const override { return window.width; }
    float Height() const override { return window.height; }
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    void Move(float left, float top, float width, float height) override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    bool Visible() const override { return window.visible; }
    void Show() override;
    void Hide() override;
    void SetFocus() override;
    WindowState GetWindowState() const override { return window.state; }
    void SetWindowState(WindowState state) override;
    void SetBorderStyleNone() override;
    void SetCaption(std::string_view caption) override;
    void SetBackColour(Colour colour) override;
    WindowHandle Handle() const override { return handle_; }

    void ShowCheckBox(CheckBoxId box, std::int16_t state) override;
    void EnableCheckBox(CheckBoxId box, bool enabled) override;
    void ShowSlider(std::int16_t value) override;
    void EnableSlider(bool enabled) override;
    void ShowLabel(LabelId label, std::string_view text) override;
    void ShowModal(const std::function<void()>& whenShown) override;

  private:
    FakePlatform& platform_;
    WindowHandle handle_;
};

class FakePictureBox final : public PictureBox {
  public:
    explicit FakePictureBox(FakePlatform& platform);

    float left = 60;
    float top = 60;
    float width = 525;
    float height = 525;
    RecordingSurface surface;

    float Left() const override { return left; }
    float Top() const override { return top; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    Surface& DrawingSurface() override { return surface; }

  private:
    void FollowSize();

    FakePlatform& platform_;
};

class FakeClock final : public TimeSource {
  public:
    LocalTime time{12, 34, 56};
    LocalTime Now() override { return time; }
};

class FakePlatform final : public Platform {
  public:
    static constexpr std::string_view kApplication = "Quenmark";
    static constexpr std::string_view kSection = "Tavrino";
    static constexpr WindowHandle kMainHandle = 0x100;

    FakePlatform();

    // --- Test controls -----------------------------------------------------------------------
    std::string commandLine;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
    std::vector<PixelRect> monitors{{0, 0, 1024, 768}};
    PixelRect primaryWorkArea{0, 0, 1024, 738};
    OsVersionRecord osVersion{5, 1, 2};  // Windows XP
    bool versionQueryFails = false;
    ProgramVersionTriple programVersion{1, 0, 1};
    // Preview hosts: the windows that exist, with their client rectangles in pixels.
    std::map<WindowHandle, PixelRect> hostWindows;
    bool writesFail = false;
    // The whole store by (application, section, key); copy it to start another run on it.
    std::map<std::tuple<std::string, std::string, std::string>, std::string> store;
    FakeClock clock;
    // Runs on every DoEvents with the number of the call, counting from 1.
    std::function<void(int)> onDoEvents;
    // Runs while the settings dialog is modal, after its whenShown callback.
    std::function<void(FakeSettingsForm&)> onShowModal;

    // --- What the fake saw -------------------------------------------------------------------
    FakeMainForm mainForm;
    FakePictureBox pic1;
    mutable std::vector<std::string> log;
    int cursorCounter = 0;
    std::optional<std::pair<int, int>> cursorPos;
    bool timerEnabled = false;
    bool ended = false;
    mutable int callsAfterEnd = 0;
    int doEventsCount = 0;
    int settingsFormLoads = 0;
    // Calls of SetTranslucency with an amount outside 0..255 (they change nothing).
    int translucencyOutOfRange = 0;

    // The loaded settings dialog, or null.
    FakeSettingsForm* SettingsDialog() { return settingsForm_.get(); }
    // The window that is active: "frmMain", "frmSet" or empty.
    std::string ActiveWindow() const;

    // The store under the program's application and section.
    void Store(std::string_view key, std::string_view value);
    std::optional<std::string> Stored(std::string_view key) const;
    // Everything stored, by key, under the program's application and section.
    std::map<std::string, std::string> StoredKeys() const;
    std::size_t StoredCount() const { return store.size(); }

    // Log helpers: the entries that start with one of the prefixes, in order; the position of
    // the first entry equal to the text (log.size() when absent); whether it occurs.
    std::vector<std::string> Calls(std::initializer_list<std::string_view> prefixes) const;
    std::size_t IndexOf(std::string_view entry, std::size_t from = 0) const;
    bool Saw(std::string_view entry) const { return IndexOf(entry) < log.size(); }
    std::vector<int> TranslucencyAmounts() const;

    // --- Platform ----------------------------------------------------------------------------
    Form& MainForm() override { return mainForm; }
    PictureBox& Pic1() override { return pic1; }
    SettingsForm& LoadSettingsForm(SettingsFormEvents& events) override;
    void UnloadSettingsForm() override;
    // frmMain's events, which the fake raises itself too (resize, focus).
    void SetMainFormEvents(MainFormEvents& events) override { mainEvents_ = &events; }

    float TwipsPerPixelX() const override { return twipsPerPixelX; }
    float TwipsPerPixelY() const override { return twipsPerPixelY; }
    float ScreenWidth() const override;
    float ScreenHeight() const override;
    std::vector<PixelRect> MonitorRects() const override { return monitors; }
    PixelRect PrimaryWorkArea() const override { return primaryWorkArea; }

    void DoEvents() override;
    void SetTimerEnabled(bool enabled) override;

    void SetTranslucency(Form& form, int amount) override;
    void SetAlwaysOnTop(Form& form, Flag onTop) override;
    void SetTaskbarVisibility(Form& form, Flag show) override;
    void HideTitleBar(Form& form) override;
    void AttachToParent(Form& form, WindowHandle host, Flag fitSize) override;
    bool IsWindow(WindowHandle handle) const override;

    int ShowCursor(bool show) override;
    void SetCursorPos(int x, int y) override;

    bool GetVersionEx(OsVersionRecord& record) override;
    ProgramVersionTriple ProgramVersion() const override { return programVersion; }

    std::string ReadSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) override;
    bool WriteSetting(std::string_view application, std::string_view section, std::string_view key,
                      std::string_view value) override;

    TimeSource& LocalClock() override { return clock; }
    std::string CommandLineArguments() const override;
    void EndProcess() override;

    // --- Used by the fake's own windows -------------------------------------------------------
    void Record(std::string entry) const;
    FakeWindowState& StateOf(Form& form);
    std::string NameOf(const Form& form) const;
    void Activate(Form& form);
    void Deactivate(Form& form);
    void MainResized();

  private:
    MainFormEvents* mainEvents_ = nullptr;
    std::unique_ptr<FakeSettingsForm> settingsForm_;
    // Unloaded dialogs stay alive: the logic may still be inside one of their calls.
    std::vector<std::unique_ptr<FakeSettingsForm>> unloadedForms_;
    const Form* active_ = nullptr;
};

// Twips and pixels as the log writes them: the shortest decimal text.
std::string Num(double value);

}  // namespace tavrino
