#include "win32/Win32Platform.h"

#include <array>
#include <utility>

#include "win32/SettingsDialog.h"
#include "win32/Text.h"
#include "win32/VersionInfo.h"
#include "win32/WindowServices.h"

namespace tavrino::win32 {

namespace {

constexpr float kTwipsPerInch = 1440;
constexpr wchar_t kTimeVariable[] = L"TAVRINO_TIME";

float TwipsPerPixel(int logicalPixelsIndex) {
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), logicalPixelsIndex);
    return kTwipsPerInch / static_cast<float>(dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI);
}

HWND HandleOf(const Form& form) {
    return reinterpret_cast<HWND>(form.Handle());
}

PixelRect ToPixelRect(const RECT& r) {
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM collected) {
    reinterpret_cast<std::vector<PixelRect>*>(collected)->push_back(ToPixelRect(*bounds));
    return TRUE;
}

std::optional<std::string> EnvironmentText(const wchar_t* name) {
    std::array<wchar_t, 64> buffer{};
    const DWORD length =
        GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return std::nullopt;
    }
    return Narrow(std::wstring_view(buffer.data(), length));
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
    std::size_t at = 0;
    bool quoted = false;
    // The program path ends at the first blank outside quotes.
    while (at < commandLine.size() && (quoted || !IsBlank(commandLine[at]))) {
        if (commandLine[at] == L'"') {
            quoted = !quoted;
        }
        ++at;
    }
    while (at < commandLine.size() && IsBlank(commandLine[at])) {
        ++at;
    }
    return commandLine.substr(at);
}

Win32Platform::Win32Platform(HINSTANCE instance, Win32PlatformOptions options)
    : instance_(instance),
      options_(std::move(options)),
      twips_(TwipsPerPixel(LOGPIXELSX), TwipsPerPixel(LOGPIXELSY)),
      store_(HKEY_CURRENT_USER, options_.registryBase),
      mainWindow_(instance, twips_.TwipsPerPixelX(), twips_.TwipsPerPixelY()) {
    const std::optional<std::string> timeText =
        options_.timeOverride ? options_.timeOverride : EnvironmentText(kTimeVariable);
    if (timeText) {
        if (const auto setting = ParseTimeOverride(*timeText)) {
            timeOverride_.emplace(*setting);
        }
    }
}

// The logic is made after the platform and is gone by now; tearing the dialog down can hand the
// activation to the clock window, which must not report that to it.
Win32Platform::~Win32Platform() {
    mainWindow_.DisconnectEvents();
}

int Win32Platform::RunMessageLoop() {
    MSG message{};
    for (;;) {
        ReleaseUnloadedDialogs();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            return static_cast<int>(message.wParam);
        }
        Dispatch(message);
    }
}

void Win32Platform::Dispatch(MSG& message) {
    if (dialog_ != nullptr && dialog_->PreTranslate(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32Platform::ReleaseUnloadedDialogs() {
    unloadedDialogs_.clear();
}

SettingsForm& Win32Platform::LoadSettingsForm(SettingsFormEvents& events) {
    UnloadSettingsForm();
    dialog_ = std::make_unique<SettingsDialog>(instance_, events, twips_.TwipsPerPixelX(),
                                               twips_.TwipsPerPixelY());
    return *dialog_;
}

void Win32Platform::UnloadSettingsForm() {
    if (dialog_ == nullptr) {
        return;
    }
    dialog_->Hide();
    unloadedDialogs_.push_back(std::move(dialog_));
}

float Win32Platform::ScreenWidth() const {
    return twips_.ToTwipsX(GetSystemMetrics(SM_CXSCREEN));
}

float Win32Platform::ScreenHeight() const {
    return twips_.ToTwipsY(GetSystemMetrics(SM_CYSCREEN));
}

std::vector<PixelRect> Win32Platform::MonitorRects() const {
    std::vector<PixelRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

PixelRect Win32Platform::PrimaryWorkArea() const {
    RECT area{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) == FALSE) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return ToPixelRect(area);
}

// One pass of the message loop: everything queued now is dispatched, then control returns.
void Win32Platform::DoEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            return;
        }
        Dispatch(message);
    }
}

void Win32Platform::SetTranslucency(Form& form, int amount) {
    win32::SetTranslucency(HandleOf(form), amount);
}

void Win32Platform::SetAlwaysOnTop(Form& form, Flag onTop) {
    win32::SetAlwaysOnTop(HandleOf(form), onTop);
}

void Win32Platform::SetTaskbarVisibility(Form& form, Flag show) {
    win32::SetTaskbarVisibility(HandleOf(form), show);
}

void Win32Platform::HideTitleBar(Form& form) {
    win32::HideTitleBar(HandleOf(form));
}

void Win32Platform::AttachToParent(Form& form, WindowHandle host, Flag fitSize) {
    win32::AttachToParent(HandleOf(form), reinterpret_cast<HWND>(host), fitSize);
}

bool Win32Platform::IsWindow(WindowHandle handle) const {
    return IsWindowHandle(handle);
}

int Win32Platform::ShowCursor(bool show) {
    return ::ShowCursor(show ? TRUE : FALSE);
}

void Win32Platform::SetCursorPos(int x, int y) {
    ::SetCursorPos(x, y);
}

bool Win32Platform::GetVersionEx(OsVersionRecord& record) {
    return ReadOsVersion(record);
}

ProgramVersionTriple Win32Platform::ProgramVersion() const {
    return ReadProgramVersion(instance_);
}

std::string Win32Platform::ReadSetting(std::string_view application, std::string_view section,
                                       std::string_view key, std::string_view defaultValue) {
    return store_.Read(application, section, key, defaultValue);
}

bool Win32Platform::WriteSetting(std::string_view application, std::string_view section,
                                 std::string_view key, std::string_view value) {
    return store_.Write(application, section, key, value);
}

TimeSource& Win32Platform::LocalClock() {
    if (timeOverride_) {
        return *timeOverride_;
    }
    return systemClock_;
}

std::string Win32Platform::CommandLineArguments() const {
    const std::wstring_view commandLine =
        options_.commandLine ? std::wstring_view(*options_.commandLine) : GetCommandLineW();
    return Narrow(ArgumentsOf(commandLine));
}

// The clock window goes first, so that a preview host is left without our child at once; the
// process then ends without running anything else.
void Win32Platform::EndProcess() {
    mainWindow_.SetTimerEnabled(false);
    if (options_.endProcess) {
        options_.endProcess();
        return;
    }
    mainWindow_.Destroy();
    ExitProcess(0);
}

}  // namespace tavrino::win32
