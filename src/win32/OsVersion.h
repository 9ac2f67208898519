// Whether this system can show a window see-through: layered windows came with Windows 2000, so
// the answer is read from the operating system's version record (GetVersionExA). Each answer
// makes its own query; a failed query leaves the record as the previous one left it (zeros
// before the first), which reads as "not NT, version 0.0".
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace tavrino::win32 {

// The members of the version record that the answer needs.
struct OsVersionRecord {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t platformId = 0;  // 2 = the NT family
};

// GetVersionExA over a 148-byte OSVERSIONINFOA. A failed query leaves the record untouched.
bool ReadOsVersion(OsVersionRecord& record);

// An NT system whose major + minor / 10 is 5.0 or more (4.10, Windows 98, also reads as 5.0 but
// is no NT). Parts beyond 16 bits are no version the program knows and read as 0.0.
bool OffersLayeredWindows(const OsVersionRecord& record);

class OsVersion {
  public:
    using Query = std::function<bool(OsVersionRecord&)>;

    explicit OsVersion(Query query = &ReadOsVersion) : query_(std::move(query)) {}

    bool LayeredWindowsAvailable();

  private:
    Query query_;
    OsVersionRecord record_;
};

}  // namespace tavrino::win32
