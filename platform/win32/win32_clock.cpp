#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace lexi::win32 {

LocalDateTime Win32Clock::now() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

void Win32Clock::sleepMilliseconds(std::int64_t milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

} // namespace lexi::win32
