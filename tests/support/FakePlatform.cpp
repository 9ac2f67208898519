#include "support/FakePlatform.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace tavrino {

namespace {

// The fake's window frames: a sizable border on every side, a title bar while the caption bits
// are set. The dialog always has both.
constexpr float kBorderPixels = 4;
constexpr float kTitleBarPixels = 18;
constexpr float kDialogBorderPixels = 3;
constexpr float kDialogTitleBarPixels = 20;
// The settings dialog's client area in twips.
constexpr float kDialogClientWidth = 5445;
constexpr float kDialogClientHeight = 3705;

std::string Bool(bool value) {
    return value ? "1" : "0";
}

float RoundToPixels(float twips, float twipsPerPixel) {
    return std::nearbyint(twips / twipsPerPixel) * twipsPerPixel;
}

std::string BoxName(CheckBoxId box) {
    switch (box) {
        case CheckBoxId::CkTask:
            return "CkTask";
        case CheckBoxId::CkLock:
            return "CkLock";
        case CheckBoxId::CkOTop:
            return "CkOTop";
        case CheckBoxId::CkBlue:
            return "CkBlue";
        case CheckBoxId::CkFade:
            return "CkFade";
    }
    return "?";
}

std::string LabelName(LabelId label) {
    return label == LabelId::lVer ? "lVer" : "LTVal";
}

}  // namespace

std::string Num(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// --- frmMain ----------------------------------------------------------------------------------

FakeMainForm::FakeMainForm(FakePlatform& platform, WindowHandle handle)
    : platform_(platform), handle_(handle) {
    window.width = 4800;
    window.height = 4800;
}

void FakeMainForm::Resized(float oldWidth, float oldHeight) {
    if (window.width != oldWidth || window.height != oldHeight) {
        platform_.MainResized();
    }
}

void FakeMainForm::SetLeft(float twips) {
    platform_.Record("frmMain.SetLeft(" + Num(twips) + ")");
    window.left = twips;
}

void FakeMainForm::SetTop(float twips) {
    platform_.Record("frmMain.SetTop(" + Num(twips) + ")");
    window.top = twips;
}

void FakeMainForm::SetWidth(float twips) {
    platform_.Record("frmMain.SetWidth(" + Num(twips) + ")");
    const float old = window.width;
    window.width = twips;
    Resized(old, window.height);
}

void FakeMainForm::SetHeight(float twips) {
    platform_.Record("frmMain.SetHeight(" + Num(twips) + ")");
    const float old = window.height;
    window.height = twips;
    Resized(window.width, old);
}

void FakeMainForm::Move(float left, float top, float width, float height) {
    platform_.Record("frmMain.Move(" + Num(left) + "," + Num(top) + "," + Num(width) + "," +
                     Num(height) + ")");
    const float oldWidth = window.width;
    const float oldHeight = window.height;
    window.left = left;
    window.top = top;
    window.width = width;
    window.height = height;
    Resized(oldWidth, oldHeight);
}

float FakeMainForm::ScaleWidth() const {
    const float border = window.borderNone ? 0 : 2 * kBorderPixels;
    return std::max(0.0f, window.width - border * platform_.twipsPerPixelX);
}

float FakeMainForm::ScaleHeight() const {
    float frame = window.borderNone ? 0 : 2 * kBorderPixels;
    if (window.titleBar && !window.borderNone) {
        frame += kTitleBarPixels;
    }
    return std::max(0.0f, window.height - frame * platform_.twipsPerPixelY);
}

void FakeMainForm::Show() {
    platform_.Record("frmMain.Show");
    window.visible = true;
    platform_.Activate(*this);
}

void FakeMainForm::Hide() {
    platform_.Record("frmMain.Hide");
    window.visible = false;
    platform_.Deactivate(*this);
}

void FakeMainForm::SetFocus() {
    platform_.Record("frmMain.SetFocus");
    platform_.Activate(*this);
}

void FakeMainForm::SetWindowState(WindowState state) {
    platform_.Record("frmMain.SetWindowState(" + std::to_string(static_cast<int>(state)) + ")");
    if (window.state != state) {
        window.state = state;
        platform_.MainResized();
    }
}

void FakeMainForm::SetBorderStyleNone() {
    platform_.Record("frmMain.SetBorderStyleNone");
    window.borderNone = true;
}

void FakeMainForm::SetCaption(std::string_view caption) {
    platform_.Record("frmMain.SetCaption(" + std::string(caption) + ")");
    window.caption = caption;
}

void FakeMainForm::SetBackColour(Colour colour) {
    platform_.Record("frmMain.SetBackColour(" + std::to_string(colour) + ")");
    window.backColour = colour;
}

// --- frmSet -----------------------------------------------------------------------------------

FakeSettingsForm::FakeSettingsForm(FakePlatform& platform, WindowHandle handle,
                                   SettingsFormEvents& formEvents)
    : events(formEvents), platform_(platform), handle_(handle) {
    window.width = kDialogClientWidth + 2 * kDialogBorderPixels * platform.twipsPerPixelX;
    window.height = kDialogClientHeight +
                    (2 * kDialogBorderPixels + kDialogTitleBarPixels) * platform.twipsPerPixelY;
    for (const CheckBoxId box : {CheckBoxId::CkTask, CheckBoxId::CkLock, CheckBoxId::CkOTop,
                                 CheckBoxId::CkBlue, CheckBoxId::CkFade}) {
        boxes[box] = 0;
        boxEnabled[box] = true;
    }
    labels[LabelId::lVer] = "Version ";
    labels[LabelId::LTVal] = "0";
}

void FakeSettingsForm::SetLeft(float twips) {
    platform_.Record("frmSet.SetLeft(" + Num(twips) + ")");
    window.left = twips;
}

void FakeSettingsForm::SetTop(float twips) {
    platform_.Record("frmSet.SetTop(" + Num(twips) + ")");
    window.top = twips;
}

void FakeSettingsForm::SetWidth(float twips) {
    platform_.Record("frmSet.SetWidth(" + Num(twips) + ")");
    window.width = twips;
}

void FakeSettingsForm::SetHeight(float twips) {
    platform_.Record("frmSet.SetHeight(" + Num(twips) + ")");
    window.height = twips;
}

void FakeSettingsForm::Move(float left, float top, float width, float height) {
    platform_.Record("frmSet.Move(" + Num(left) + "," + Num(top) + "," + Num(width) + "," +
                     Num(height) + ")");
    window.left = left;
    window.top = top;
    window.width = width;
    window.height = height;
}

float FakeSettingsForm::ScaleWidth() const {
    return window.width - 2 * kDialogBorderPixels * platform_.twipsPerPixelX;
}

float FakeSettingsForm::ScaleHeight() const {
    return window.height -
           (2 * kDialogBorderPixels + kDialogTitleBarPixels) * platform_.twipsPerPixelY;
}

void FakeSettingsForm::Show() {
    platform_.Record("frmSet.Show");
    window.visible = true;
    platform_.Activate(*this);
}

void FakeSettingsForm::Hide() {
    platform_.Record("frmSet.Hide");
    window.visible = false;
    platform_.Deactivate(*this);
}

void FakeSettingsForm::SetFocus() {
    platform_.Record("frmSet.SetFocus");
    platform_.Activate(*this);
}

void FakeSettingsForm::SetWindowState(WindowState state) {
    platform_.Record("frmSet.SetWindowState(" + std::to_string(static_cast<int>(state)) + ")");
    window.state = state;
}

void FakeSettingsForm::SetBorderStyleNone() {
    platform_.Record("frmSet.SetBorderStyleNone");
    window.borderNone = true;
}

void FakeSettingsForm::SetCaption(std::string_view caption) {
    platform_.Record("frmSet.SetCaption(" + std::string(caption) + ")");
    window.caption = caption;
}

void FakeSettingsForm::SetBackColour(Colour colour) {
    platform_.Record("frmSet.SetBackColour(" + std::to_string(colour) + ")");
    window.backColour = colour;
}

void FakeSettingsForm::ShowCheckBox(CheckBoxId box, std::int16_t state) {
    platform_.Record("frmSet.ShowCheckBox(" + BoxName(box) + "," + std::to_string(state) + ")");
    boxes[box] = state;
}

void FakeSettingsForm::EnableCheckBox(CheckBoxId box, bool enabled) {
    platform_.Record("frmSet.EnableCheckBox(" + BoxName(box) + "," + Bool(enabled) + ")");
    boxEnabled[box] = enabled;
}

void FakeSettingsForm::ShowSlider(std::int16_t value) {
    platform_.Record("frmSet.ShowSlider(" + std::to_string(value) + ")");
    slider = value;
}

void FakeSettingsForm::EnableSlider(bool enabled) {
    platform_.Record("frmSet.EnableSlider(" + Bool(enabled) + ")");
    sliderEnabled = enabled;
}

void FakeSettingsForm::ShowLabel(LabelId label, std::string_view text) {
    platform_.Record("frmSet.ShowLabel(" + LabelName(label) + "," + std::string(text) + ")");
    labels[label] = text;
}

void FakeSettingsForm::ShowModal(const std::function<void()>& whenShown) {
    platform_.Record("frmSet.ShowModal");
    modal = true;
    window.visible = true;
    platform_.Activate(*this);
    whenShown();
    if (platform_.onShowModal) {
        platform_.onShowModal(*this);
    }
    modal = false;
}

// --- Pic1 -------------------------------------------------------------------------------------

FakePictureBox::FakePictureBox(FakePlatform& platform) : platform_(platform) {
    FollowSize();
}

void FakePictureBox::FollowSize() {
    surface.SetInnerSize(width / platform_.twipsPerPixelX, height / platform_.twipsPerPixelY);
}

void FakePictureBox::SetLeft(float twips) {
    platform_.Record("Pic1.SetLeft(" + Num(twips) + ")");
    left = twips;
}

void FakePictureBox::SetTop(float twips) {
    platform_.Record("Pic1.SetTop(" + Num(twips) + ")");
    top = twips;
}

void FakePictureBox::SetWidth(float twips) {
    platform_.Record("Pic1.SetWidth(" + Num(twips) + ")");
    width = twips;
    FollowSize();
}

void FakePictureBox::SetHeight(float twips) {
    platform_.Record("Pic1.SetHeight(" + Num(twips) + ")");
    height = twips;
    FollowSize();
}

// --- The platform -----------------------------------------------------------------------------

FakePlatform::FakePlatform() : mainForm(*this, kMainHandle), pic1(*this) {}

void FakePlatform::Record(std::string entry) const {
    if (ended) {
        ++callsAfterEnd;
    }
    log.push_back(std::move(entry));
}

FakeWindowState& FakePlatform::StateOf(Form& form) {
    if (&form == &mainForm) {
        return mainForm.window;
    }
    return static_cast<FakeSettingsForm&>(form).window;
}

std::string FakePlatform::NameOf(const Form& form) const {
    if (&form == &mainForm) {
        return "frmMain";
    }
    if (&form == settingsForm_.get()) {
        return "frmSet";
    }
    return "unloaded frmSet";
}

std::string FakePlatform::ActiveWindow() const {
    if (active_ == nullptr) {
        return {};
    }
    return NameOf(*active_);
}

void FakePlatform::Activate(Form& form) {
    if (ended || active_ == &form || !StateOf(form).visible) {
        return;
    }
    const Form* previous = active_;
    active_ = &form;
    if (previous != nullptr && previous == settingsForm_.get()) {
        settingsForm_->events.OnDeactivate();
    }
    if (active_ != &form) {
        return;  // the deactivated window took the activation back
    }
    if (&form == &mainForm) {
        if (mainEvents_ != nullptr) {
            mainEvents_->OnGotFocus();
        }
    } else if (&form == settingsForm_.get()) {
        settingsForm_->events.OnActivate();
    }
}

void FakePlatform::Deactivate(Form& form) {
    if (active_ == &form) {
        active_ = nullptr;
    }
}

void FakePlatform::MainResized() {
    if (!ended && mainEvents_ != nullptr) {
        mainEvents_->OnResize();
    }
}

void FakePlatform::Store(std::string_view key, std::string_view value) {
    store[{std::string(kApplication), std::string(kSection), std::string(key)}] = value;
}

std::optional<std::string> FakePlatform::Stored(std::string_view key) const {
    const auto found =
        store.find({std::string(kApplication), std::string(kSection), std::string(key)});
    if (found == store.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::map<std::string, std::string> FakePlatform::StoredKeys() const {
    std::map<std::string, std::string> keys;
    for (const auto& [where, value] : store) {
        if (std::get<0>(where) == kApplication && std::get<1>(where) == kSection) {
            keys[std::get<2>(where)] = value;
        }
    }
    return keys;
}

std::vector<std::string> FakePlatform::Calls(
    std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> calls;
    for (const std::string& entry : log) {
        for (const std::string_view prefix : prefixes) {
            if (entry.starts_with(prefix)) {
                calls.push_back(entry);
                break;
            }
        }
    }
    return calls;
}

std::size_t FakePlatform::IndexOf(std::string_view entry, std::size_t from) const {
    for (std::size_t i = from; i < log.size(); ++i) {
        if (log[i] == entry) {
            return i;
        }
    }
    return log.size();
}

std::vector<int> FakePlatform::TranslucencyAmounts() const {
    std::vector<int> amounts;
    for (const std::string& entry : Calls({"SetTranslucency(frmMain,"})) {
        const std::size_t comma = entry.find(',');
        amounts.push_back(std::stoi(entry.substr(comma + 1)));
    }
    return amounts;
}

SettingsForm& FakePlatform::LoadSettingsForm(SettingsFormEvents& events) {
    Record("LoadSettingsForm");
    ++settingsFormLoads;
    if (settingsForm_) {
        unloadedForms_.push_back(std::move(settingsForm_));
    }
    settingsForm_ = std::make_unique<FakeSettingsForm>(*this, 0x200 + settingsFormLoads, events);
    return *settingsForm_;
}

void FakePlatform::UnloadSettingsForm() {
    Record("UnloadSettingsForm");
    if (settingsForm_ == nullptr) {
        return;
    }
    if (active_ == settingsForm_.get()) {
        active_ = nullptr;
    }
    settingsForm_->window.visible = false;
    unloadedForms_.push_back(std::move(settingsForm_));
}

float FakePlatform::ScreenWidth() const {
    return static_cast<float>(monitors.front().Width()) * twipsPerPixelX;
}

float FakePlatform::ScreenHeight() const {
    return static_cast<float>(monitors.front().Height()) * twipsPerPixelY;
}

void FakePlatform::DoEvents() {
    Record("DoEvents");
    ++doEventsCount;
    if (onDoEvents) {
        onDoEvents(doEventsCount);
    }
}

void FakePlatform::SetTimerEnabled(bool enabled) {
    Record("SetTimerEnabled(" + Bool(enabled) + ")");
    timerEnabled = enabled;
}

void FakePlatform::SetTranslucency(Form& form, int amount) {
    Record("SetTranslucency(" + NameOf(form) + "," + std::to_string(amount) + ")");
    if (amount < 0 || amount > 255) {
        ++translucencyOutOfRange;
        return;
    }
    FakeWindowState& window = StateOf(form);
    window.layered = true;
    window.alpha = 255 - amount;
}

void FakePlatform::SetAlwaysOnTop(Form& form, Flag onTop) {
    Record("SetAlwaysOnTop(" + NameOf(form) + "," + std::to_string(onTop) + ")");
    FakeWindowState& window = StateOf(form);
    window.topmost = onTop == kTrue;
    // The window is placed at its own rectangle in whole pixels, shown and activated.
    const float oldWidth = window.width;
    const float oldHeight = window.height;
    window.left = RoundToPixels(window.left, twipsPerPixelX);
    window.top = RoundToPixels(window.top, twipsPerPixelY);
    window.width = RoundToPixels(window.width, twipsPerPixelX);
    window.height = RoundToPixels(window.height, twipsPerPixelY);
    window.visible = true;
    if (&form == &mainForm && (window.width != oldWidth || window.height != oldHeight)) {
        MainResized();
    }
    Activate(form);
}

void FakePlatform::SetTaskbarVisibility(Form& form, Flag show) {
    Record("SetTaskbarVisibility(" + NameOf(form) + "," + std::to_string(show) + ")");
    StateOf(form).appWindow = show != 0;
}

void FakePlatform::HideTitleBar(Form& form) {
    Record("HideTitleBar(" + NameOf(form) + ")");
    StateOf(form).titleBar = false;
}

void FakePlatform::AttachToParent(Form& form, WindowHandle host, Flag fitSize) {
    Record("AttachToParent(" + NameOf(form) + "," + std::to_string(host) + "," +
           std::to_string(fitSize) + ")");
    FakeWindowState& window = StateOf(form);
    const auto found = hostWindows.find(host);
    const PixelRect client = found == hostWindows.end() ? PixelRect{} : found->second;
    const float oldWidth = window.width;
    const float oldHeight = window.height;
    window.child = true;
    window.parent = host;
    window.left = 0;
    window.top = 0;
    window.width = static_cast<float>(client.Width()) * twipsPerPixelX;
    window.height = static_cast<float>(client.Height()) * twipsPerPixelY;
    window.visible = true;
    if (&form == &mainForm && (window.width != oldWidth || window.height != oldHeight)) {
        MainResized();
    }
}

bool FakePlatform::IsWindow(WindowHandle handle) const {
    Record("IsWindow(" + std::to_string(handle) + ")");
    return hostWindows.contains(handle) || handle == kMainHandle;
}

int FakePlatform::ShowCursor(bool show) {
    Record("ShowCursor(" + Bool(show) + ")");
    cursorCounter += show ? 1 : -1;
    return cursorCounter;
}

void FakePlatform::SetCursorPos(int x, int y) {
    Record("SetCursorPos(" + std::to_string(x) + "," + std::to_string(y) + ")");
    cursorPos = {x, y};
}

bool FakePlatform::GetVersionEx(OsVersionRecord& record) {
    Record("GetVersionEx");
    if (versionQueryFails) {
        return false;
    }
    record = osVersion;
    return true;
}

std::string FakePlatform::ReadSetting(std::string_view application, std::string_view section,
                                      std::string_view key, std::string_view defaultValue) {
    Record("ReadSetting(" + std::string(key) + "," + std::string(defaultValue) + ")");
    const auto found =
        store.find({std::string(application), std::string(section), std::string(key)});
    return found == store.end() ? std::string(defaultValue) : found->second;
}

bool FakePlatform::WriteSetting(std::string_view application, std::string_view section,
                                std::string_view key, std::string_view value) {
    Record("WriteSetting(" + std::string(key) + "," + std::string(value) + ")");
    if (writesFail) {
        return false;
    }
    store[{std::string(application), std::string(section), std::string(key)}] = value;
    return true;
}

std::string FakePlatform::CommandLineArguments() const {
    Record("CommandLineArguments");
    return commandLine;
}

void FakePlatform::EndProcess() {
    Record("EndProcess");
    ended = true;
}

}  // namespace tavrino
