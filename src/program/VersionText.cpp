#include "program/VersionText.h"

namespace tavrino {

namespace {

// " Alpha" or " Beta", followed by the number within the range when it is not the first.
std::string Stage(const char* name, int n) {
    std::string text = name;
    if (n > 0) {
        text += ' ';
        text += std::to_string(n);
    }
    return text;
}

std::string Suffix(int revision) {
    if (revision >= 1 && revision <= 26) {
        return std::string(1, static_cast<char>('a' + revision - 1));
    }
    if (revision >= 1000 && revision <= 1999) {
        return Stage(" Alpha", revision - 1000);
    }
    if (revision >= 100 && revision <= 199) {
        return Stage(" Beta", revision - 100);
    }
    if (revision >= 2000 && revision <= 2999) {
        return Stage(" Beta", revision - 2000);
    }
    if (revision == 255 || revision == 9999) {
        return "\xC3\x9F";  // U+00DF, the sharp s, in UTF-8
    }
    return {};
}

}  // namespace

std::string ProgramVersionText(const VersionNumbers& version) {
    const std::string minor = "00" + std::to_string(version.minor);
    return std::to_string(version.major) + "." + minor.substr(minor.size() - 2) +
           Suffix(version.revision);
}

}  // namespace tavrino
