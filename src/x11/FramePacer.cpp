#include "x11/FramePacer.h"

#include <thread>

namespace tavrino::x11 {

void FramePacer::WaitForNextFrame() {
    constexpr auto kFrame = std::chrono::microseconds(16667);
    XSync(display_, False);
    const auto now = std::chrono::steady_clock::now();
    nextFrame_ += kFrame;
    if (nextFrame_ < now || nextFrame_ > now + kFrame) {
        nextFrame_ = now + kFrame;
    }
    std::this_thread::sleep_until(nextFrame_);
}

}  // namespace tavrino::x11
