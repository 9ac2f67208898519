// The lines the clock and the settings dialog program send each other: any line, read as a command
// and as a report, either is none or encodes to one line that reads back as the same message; any
// text escapes to one field that reads back as the text.
#include <string>

#include "FuzzSupport.h"
#include "posix/dialog/DialogProtocol.h"

using namespace tavrino::posix::dialog;
using tavrino::fuzz::Require;

namespace {

bool IsOneLine(const std::string& line) {
    for (const char character : line) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte < 0x20 || byte == 0x7f) {
            return false;
        }
    }
    return true;
}

template <class Message, class Decode>
void CheckRoundTrip(const std::optional<Message>& message, Decode decode) {
    if (!message) {
        return;
    }
    const std::string line = Encode(*message);
    Require(IsOneLine(line), "a message is one line without control characters");
    Require(decode(line) == message, "a message reads back as encoded");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = tavrino::fuzz::TextOf(data, size);
    CheckRoundTrip(DecodeCommand(line), DecodeCommand);
    CheckRoundTrip(DecodeReport(line), DecodeReport);
    const auto text = UnescapeText(line);
    if (text) {
        Require(UnescapeText(EscapeText(*text)) == text, "an escaped text reads back");
    }
    const std::string escaped = EscapeText(line);
    Require(escaped.find(' ') == std::string::npos, "an escaped text is one field");
    Require(UnescapeText(escaped) == std::string(line), "every text survives escaping");
    return 0;
}
