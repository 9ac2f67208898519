// The program's tick as the event loop's deadline: a request sets the time on the monotonic clock
// (std::chrono::steady_clock) when the loop's poll() gives up waiting, and the loop raises the
// tick once that time has come. Nothing else wakes the process.
#pragma once

#include <chrono>
#include <optional>

#include "seam/Time.h"

namespace tavrino::posix {

class LoopTicks final : public Ticks {
  public:
    void SetEvents(TickEvents& events) { events_ = &events; }
    void DisconnectEvents() { events_ = nullptr; }

    void RequestTick(std::chrono::milliseconds delay) override;
    void CancelTick() override { due_.reset(); }

    // How long poll() may wait, in whole milliseconds rounded up; -1 while no tick is pending.
    int PollTimeout() const;
    // Raises the pending tick if its time has come.
    void RaiseIfDue();

  private:
    TickEvents* events_ = nullptr;
    std::optional<std::chrono::steady_clock::time_point> due_;
};

}  // namespace tavrino::posix
