#include "win32/WindowTicks.h"

#include <algorithm>

#include "win32/WindowClass.h"

namespace tavrino::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TavrinoTicks";
constexpr UINT_PTR kTickTimer = 1;

}  // namespace

WindowTicks::WindowTicks(HINSTANCE instance) {
    RegisterWindowClass(instance, {kClassName, &Procedure});
    window_.Reset(CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, this));
}

// SetTimer with the same identifier replaces a pending tick. The system's timer is coarse, so the
// tick may come a few milliseconds off; the program asks again when it finds the second unchanged.
void WindowTicks::RequestTick(std::chrono::milliseconds delay) {
    const auto ms = std::clamp<std::chrono::milliseconds::rep>(delay.count(), USER_TIMER_MINIMUM,
                                                               USER_TIMER_MAXIMUM);
    SetTimer(window_.Get(), kTickTimer, static_cast<UINT>(ms), nullptr);
}

void WindowTicks::CancelTick() {
    KillTimer(window_.Get(), kTickTimer);
}

LRESULT CALLBACK WindowTicks::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowTicks* self = ObjectOf<WindowTicks>(window, message, lParam);
    if (self != nullptr && self->OnMessage(message, wParam)) {
        return message == WM_POWERBROADCAST ? TRUE : 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool WindowTicks::OnMessage(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_TIMER:
            OnTimer(wParam);
            return true;
        case WM_TIMECHANGE:
            OnWallClockChanged();
            return true;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                OnWallClockChanged();
            }
            return true;
        default:
            return false;
    }
}

// One tick per request: the timer would fire again after the same delay.
void WindowTicks::OnTimer(WPARAM timer) {
    if (timer != kTickTimer) {
        return;
    }
    KillTimer(window_.Get(), kTickTimer);
    if (events_ != nullptr) {
        events_->OnTick();
    }
}

void WindowTicks::OnWallClockChanged() {
    if (events_ != nullptr) {
        events_->OnWallClockChanged();
    }
}

}  // namespace tavrino::win32
