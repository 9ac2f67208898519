#include "program/WinVersion.h"

#include <cstdint>
#include <limits>

namespace tavrino {

namespace {

constexpr std::uint32_t kNtPlatformId = 2;
constexpr float kLayeredWindowsVersion = 5.0f;

}  // namespace

void WinVersion::Query() {
    // A failed query leaves the record untouched, which is the behaviour wanted here.
    platform_.GetVersionEx(OsVersion);
}

bool WinVersion::IsNtPlatform() {
    Query();
    return OsVersion.platformId == kNtPlatformId;
}

float WinVersion::WindowsVersionNumber() {
    Query();
    // The parts are 16-bit numbers to the program; a record with larger parts is not a version it
    // knows, and reads as 0.0 (no layered windows) rather than as a huge version.
    constexpr auto kMaxPart = static_cast<std::uint32_t>(std::numeric_limits<std::int16_t>::max());
    if (OsVersion.majorVersion > kMaxPart || OsVersion.minorVersion > kMaxPart) {
        return 0.0f;
    }
    return static_cast<float>(static_cast<double>(OsVersion.majorVersion) +
                              static_cast<double>(OsVersion.minorVersion) / 10.0);
}

bool WinVersion::LayeredWindowsAvailable() {
    const float version = WindowsVersionNumber();
    const bool nt = IsNtPlatform();
    return version >= kLayeredWindowsVersion && nt;
}

}  // namespace tavrino
