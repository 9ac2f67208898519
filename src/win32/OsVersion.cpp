#include "win32/OsVersion.h"

#include <windows.h>

#include <limits>

namespace tavrino::win32 {

namespace {

constexpr DWORD kOsVersionRecordSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kOsVersionRecordSize);

constexpr std::uint32_t kNtPlatformId = 2;
constexpr float kLayeredWindowsVersion = 5.0f;

// major + minor / 10 as the program has always computed it, in single precision.
float VersionNumber(const OsVersionRecord& record) {
    constexpr auto kMaxPart = static_cast<std::uint32_t>(std::numeric_limits<std::int16_t>::max());
    if (record.majorVersion > kMaxPart || record.minorVersion > kMaxPart) {
        return 0.0f;
    }
    return static_cast<float>(static_cast<double>(record.majorVersion) +
                              static_cast<double>(record.minorVersion) / 10.0);
}

}  // namespace

bool ReadOsVersion(OsVersionRecord& record) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = kOsVersionRecordSize;
    if (GetVersionExA(&info) == FALSE) {
        return false;
    }
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.platformId = info.dwPlatformId;
    return true;
}

bool OffersLayeredWindows(const OsVersionRecord& record) {
    return VersionNumber(record) >= kLayeredWindowsVersion && record.platformId == kNtPlatformId;
}

bool OsVersion::LayeredWindowsAvailable() {
    query_(record_);
    return OffersLayeredWindows(record_);
}

}  // namespace tavrino::win32
