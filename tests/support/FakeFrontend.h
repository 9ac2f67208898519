// A fake frontend for testing the program's logic without a window system. It keeps the state a
// user would see: the clock window's rectangle, visibility, frame, title, translucency, host and
// pointer; the settings dialog's rectangle and controls; the stored settings; the screen; the
// time; the pending tick; and whether the process has ended. Like a real window system it reports
// a change of the clock window's size or state as a resize, and the dialog's becoming active as
// its activation. The event passes, the modal dialog and showing the dialog run hooks a test
// sets, so a test can press a key in the middle of a fade or OK while the dialog is modal. Every
// call that acts, or reads the store, after the process ended is counted, and a fake that counted
// any fails the test that made it when it goes. Its resolution differs across and down, so that
// geometry taken along the wrong axis shows.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "seam/Frontend.h"
#include "support/RecordingSurface.h"

namespace tavrino {

class FakeSettingsDialog;

// What the fake's windows share with the rest of the fake.
struct FakeSystem {
    FakeSystem() = default;
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;
    // Nothing may reach the platform after the end, whichever test made the fake.
    ~FakeSystem();

    bool ended = false;
    mutable int callsAfterEnd = 0;
    const Window* active = nullptr;  // the program's active window
    int bandEntries = 0;             // windows put into the band that stays on top, so far
    // Test hooks: the modal dialog once it is shown, and the dialog being shown modeless.
    std::function<void(FakeSettingsDialog&)> onShowModal;
    std::function<void()> onDialogShown;

    void Called() const { callsAfterEnd += ended ? 1 : 0; }
    // Sets a field, counting the call.
    template <typename Field, typename Value>
    void Set(Field& field, Value value) {
        Called();
        field = std::move(value);
    }
};

class FakeClockWindow final : public ClockWindow {
  public:
    explicit FakeClockWindow(FakeSystem& system) : system_(system) {}

    ClockWindowEvents* events = nullptr;  // where resizes are reported
    PixelRect rect{0, 0, 320, 320};
    bool visible = false;
    WindowState state = WindowState::Normal;
    std::string title;
    bool titleBar = true;
    bool border = true;
    bool onTop = false;
    int bandPosition = 0;  // within the band that stays on top: the latest to enter is above
    bool taskbarButton = false;
    bool translucencyAvailable = true;
    std::optional<int> translucency;  // the amount last set; empty while never set
    std::vector<int> framesShown;     // the amount each displayed frame showed, -1 while never set
    std::map<HostWindowId, PixelRect> hostWindows;  // the hosts that exist: their client areas
    std::optional<HostWindowId> host;
    PixelRect hostScreenRect{0, 0, 320, 320};  // where an attached window is on the screen
    bool pointerVisible = true;

    // What the user or the window manager does: a new rectangle or state, reported as a resize.
    void Resize(const PixelRect& newRect);
    void ChangeState(WindowState newState);

    PixelRect Rect() const override { return rect; }
    void SetRect(const PixelRect& newRect) override;
    bool Visible() const override { return visible; }
    void Show() override;
    void Hide() override;
    void Focus() override { system_.Set(system_.active, this); }
    void SetTitle(std::string_view text) override { system_.Set(title, std::string(text)); }
    void SetOnTop(bool top) override;
    WindowState State() const override { return state; }
    void Restore() override;
    void HideTitleBar() override { system_.Set(titleBar, false); }
    void RemoveBorder() override { system_.Set(border, false); }
    void ShowTaskbarButton(bool show) override { system_.Set(taskbarButton, show); }
    bool TranslucencyAvailable() const override { return translucencyAvailable; }
    void SetTranslucency(int amount) override;
    void WaitForNextFrame() override;
    bool AttachToHost(HostWindowId id) override;
    PixelRect ScreenRect() const override { return host ? hostScreenRect : rect; }
    void SetPointerVisible(bool show) override { system_.Set(pointerVisible, show); }

  private:
    FakeSystem& system_;
};

class FakeSettingsDialog final : public SettingsDialog {
  public:
    FakeSettingsDialog(FakeSystem& system, SettingsDialogEvents& dialogEvents, PixelsPerInch layout)
        : events(dialogEvents), layoutResolution(layout), system_(system) {}

    SettingsDialogEvents& events;
    PixelsPerInch layoutResolution;  // the one it was opened for
    PixelRect rect{0, 0, 369, 273};
    bool visible = false;
    std::string title;
    bool onTop = false;
    int bandPosition = 0;
    DialogState state;       // what its controls show
    HostWindowId owner = 0;  // the host window it belongs to, if any

    CheckState Box(CheckBox box) const { return state[box].state; }
    bool BoxEnabled(CheckBox box) const { return state[box].enabled; }
    // What the user does.
    void Click(CheckBox box) { events.OnEvent(CheckBoxClicked{box}); }
    void MoveSlider(int amount) { events.OnEvent(SliderMoved{amount}); }
    void PressOk() { events.OnEvent(OkPressed{}); }
    void CloseBox() { events.OnEvent(CloseRequested{}); }

    PixelRect Rect() const override { return rect; }
    void SetRect(const PixelRect& newRect) override { system_.Set(rect, newRect); }
    bool Visible() const override { return visible; }
    void Show() override;
    void Hide() override;
    void Focus() override;
    void SetTitle(std::string_view text) override { system_.Set(title, std::string(text)); }
    void SetOnTop(bool top) override;
    void ShowState(const DialogState& shown) override { system_.Set(state, shown); }
    void BelongToHost(HostWindowId host) override { system_.Set(owner, host); }
    void ShowModal(const std::function<void()>& whenShown) override;

  private:
    void Activate();

    FakeSystem& system_;
};

class FakeFrontend final : public FakeSystem,
                           public SettingsDialogs,
                           public Screen,
                           public SettingsStore,
                           public TimeSource,
                           public Ticks,
                           public Process {
  public:
    FakeFrontend();
    FakeFrontend(const FakeFrontend&) = delete;
    FakeFrontend& operator=(const FakeFrontend&) = delete;

    // What the program is handed: the seam, and the surface the face is drawn on.
    Frontend Seam() { return Frontend{clock, *this, *this, *this, *this, *this, *this}; }
    RecordingSurface face{256, 256};

    FakeClockWindow clock{*this};
    FakeSettingsDialog* dialog = nullptr;  // the open dialog
    int dialogsOpened = 0;

    PixelsPerInch resolution{120, 144};  // 12 and 10 twips per pixel
    std::vector<PixelRect> monitors{{0, 0, 1024, 768}};
    PixelRect workArea{0, 0, 1024, 738};
    std::optional<std::pair<int, int>> pointerMovedTo;

    std::map<std::string, std::string, std::less<>> stored;
    std::set<std::string, std::less<>> refusedKeys;
    bool refuseWrites = false;
    int writes = 0;        // writes that stored something: a settings file is replaced for each
    bool flushed = false;  // the run's end was announced; a write after it counts as after the end

    LocalTime time{12, 34, 56};
    std::optional<std::chrono::milliseconds> pendingTick;

    bool otherSaverRunning = false;  // another run is the full-screen screensaver
    bool claimedSaver = false;       // this run claimed to be it
    VersionNumbers version{1, 0, 1};
    int passes = 0;
    // Runs on each pass of pending events, with its number counting from 1.
    std::function<void(int)> onPendingEvents;

    SettingsDialog& Open(SettingsDialogEvents& events, PixelsPerInch layout) override;
    void Close() override;
    PixelsPerInch Resolution() const override { return resolution; }
    PixelRect PrimaryMonitor() const override { return monitors.front(); }
    std::vector<PixelRect> Monitors() const override { return monitors; }
    PixelRect PrimaryWorkArea() const override { return workArea; }
    void MovePointer(int x, int y) override { Set(pointerMovedTo, std::pair{x, y}); }
    std::optional<std::string> Read(std::string_view key) override;
    // Stores each value it does not refuse, as the registry does.
    bool Write(const std::vector<Setting>& settings) override;
    bool Flush() override;
    LocalTime Now() override { return time; }
    void RequestTick(std::chrono::milliseconds delay) override { Set(pendingTick, delay); }
    void CancelTick() override { Set(pendingTick, std::nullopt); }
    bool ClaimFullScreenSaver() override;
    VersionNumbers ProgramVersion() const override { return version; }
    void RunPendingEvents() override;
    void EndProcess() override { Set(ended, true); }

  private:
    // Closed dialogs stay alive: the program may still be inside one of their calls.
    std::list<FakeSettingsDialog> dialogs_;
};

}  // namespace tavrino
