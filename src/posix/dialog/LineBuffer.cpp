#include "posix/dialog/LineBuffer.h"

namespace tavrino::posix::dialog {

void LineBuffer::Append(std::string_view bytes) {
    pending_.erase(0, consumed_);
    consumed_ = 0;
    pending_.append(bytes);
}

std::optional<std::string> LineBuffer::NextLine() {
    while (true) {
        const std::size_t end = pending_.find('\n', consumed_);
        if (end == std::string::npos) {
            if (pending_.size() - consumed_ > kMaxLine) {
                discarding_ = true;
                pending_.clear();
                consumed_ = 0;
            }
            return std::nullopt;
        }
        std::string line = pending_.substr(consumed_, end - consumed_);
        consumed_ = end + 1;
        if (discarding_ || line.size() > kMaxLine) {
            discarding_ = false;  // the rest of the long line ends here
            continue;
        }
        return line;
    }
}

}  // namespace tavrino::posix::dialog
