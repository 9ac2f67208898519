#include "win32/SystemClock.h"

#include <windows.h>

namespace tavrino::win32 {

LocalTime SystemClock::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace tavrino::win32
