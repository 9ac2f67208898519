#include "win32/FramePacer.h"

#include <windows.h>

#include <dwmapi.h>

namespace tavrino::win32 {

namespace {

constexpr std::chrono::microseconds kFramePeriod{16667};

bool CompositorRuns() {
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled != FALSE;
}

}  // namespace

// DwmFlush returns when the compositor has presented its next frame.
void FramePacer::WaitForNextFrame() {
    if (CompositorRuns() && SUCCEEDED(DwmFlush())) {
        return;
    }
    WaitOnSchedule();
}

void FramePacer::WaitOnSchedule() {
    const auto now = std::chrono::steady_clock::now();
    if (now - nextFrame_ > kFramePeriod) {
        nextFrame_ = now;
    }
    nextFrame_ += kFramePeriod;
    const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(nextFrame_ - now);
    Sleep(static_cast<DWORD>(rest.count()));
}

}  // namespace tavrino::win32
