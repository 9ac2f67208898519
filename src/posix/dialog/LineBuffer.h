// Bytes read from a pipe, cut into lines. A line longer than the limit is dropped whole, so a
// peer that never sends a line break cannot make the buffer grow without end.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino::posix::dialog {

class LineBuffer {
  public:
    static constexpr std::size_t kMaxLine = 64 * 1024;

    void Append(std::string_view bytes);
    // The next whole line without its line break, if one has arrived.
    std::optional<std::string> NextLine();

  private:
    std::string pending_;
    std::size_t consumed_ = 0;  // bytes of pending_ already handed out
    bool discarding_ = false;   // inside a line that was too long
};

}  // namespace tavrino::posix::dialog
