#include "posix/dialog/SendQueue.h"

#include <sys/socket.h>

#include <cerrno>

namespace tavrino::posix::dialog {

void SendQueue::Send(std::string_view bytes) {
    if (shut_ || queued_.size() + bytes.size() > kMaxQueued) {
        return;
    }
    queued_.append(bytes);
    SendQueued();
}

void SendQueue::SendQueued() {
    while (!queued_.empty()) {
        // Without MSG_NOSIGNAL a clock that shut its end would kill the program with SIGPIPE.
        const ssize_t sent =
            send(socket_, queued_.data(), queued_.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            queued_.erase(0, static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        } else {
            shut_ = true;
            queued_.clear();
        }
    }
}

}  // namespace tavrino::posix::dialog
