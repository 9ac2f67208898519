// What the dialog program sends to the clock over its socket, sent without ever waiting: what the
// socket will not take now is queued and sent once it is writable, so a clock that is slow to
// read cannot freeze the window. A clock that stops reading for good (its end shut, or far more
// queued than any dialog says) loses what is left; the program ends when its input closes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrino::posix::dialog {

class SendQueue {
  public:
    static constexpr std::size_t kMaxQueued = std::size_t{1024} * 1024;

    // socket must be a connected socket; this never closes it.
    explicit SendQueue(int socket) : socket_(socket) {}

    // Sends whole lines after what is queued; bytes beyond kMaxQueued are dropped.
    void Send(std::string_view bytes);
    // Sends what is queued, as much as the socket takes now.
    void SendQueued();
    // Whether bytes wait for the socket to be writable.
    bool Waiting() const { return !queued_.empty(); }

  private:
    int socket_;
    std::string queued_;
    bool shut_ = false;  // the clock reads no more
};

}  // namespace tavrino::posix::dialog
