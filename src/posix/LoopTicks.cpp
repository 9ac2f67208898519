#include "posix/LoopTicks.h"

#include <algorithm>
#include <limits>

namespace tavrino::posix {

void LoopTicks::RequestTick(std::chrono::milliseconds delay) {
    due_ = std::chrono::steady_clock::now() + std::max(delay, std::chrono::milliseconds(0));
}

int LoopTicks::PollTimeout() const {
    if (!due_) {
        return -1;
    }
    const auto left = *due_ - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) {
        return 0;
    }
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return static_cast<int>(std::min<long long>(milliseconds, std::numeric_limits<int>::max()));
}

// The request is gone before the tick runs, so that the tick may ask for the next one.
void LoopTicks::RaiseIfDue() {
    if (!due_ || std::chrono::steady_clock::now() < *due_) {
        return;
    }
    due_.reset();
    if (events_ != nullptr) {
        events_->OnTick();
    }
}

}  // namespace tavrino::posix
