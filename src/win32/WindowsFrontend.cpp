#include "win32/WindowsFrontend.h"

#include <array>
#include <utility>

#include "win32/Text.h"

namespace tavrino::win32 {

namespace {

constexpr wchar_t kTimeVariable[] = L"TAVRINO_TIME";

std::optional<std::string> EnvironmentText(const wchar_t* name) {
    std::array<wchar_t, 64> buffer{};
    const DWORD length =
        GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return std::nullopt;
    }
    return Narrow(std::wstring_view(buffer.data(), length));
}

}  // namespace

WindowsFrontend::WindowsFrontend(HINSTANCE instance, FrontendOptions options)
    : store_(std::move(options.registryBase)),
      time_(options.timeOverride ? options.timeOverride : EnvironmentText(kTimeVariable),
            systemClock_),
      clockWindow_(instance),
      ticks_(instance),
      dialogs_(instance),
      loop_(dialogs_),
      process_(instance, loop_, clockWindow_, ticks_, std::move(options.process)) {}

// The program is made after the frontend and is gone by now; tearing the dialog down can hand
// the activation to the clock window, which must not report that to it.
WindowsFrontend::~WindowsFrontend() {
    clockWindow_.DisconnectEvents();
    ticks_.DisconnectEvents();
}

Frontend WindowsFrontend::Parts() {
    return Frontend{clockWindow_, dialogs_, screen_, store_, time_, ticks_, process_};
}

void WindowsFrontend::Connect(ClockWindowEvents& clockEvents, TickEvents& tickEvents) {
    clockWindow_.SetEvents(clockEvents);
    ticks_.SetEvents(tickEvents);
}

}  // namespace tavrino::win32
