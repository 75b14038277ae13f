#include "platform/win32/Win32Clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform::win32 {

int64_t Win32Clock::PerfFrequency() {
    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency) == 0) return 0;
    return frequency.QuadPart;
}

int64_t Win32Clock::PerfCounter() {
    LARGE_INTEGER counter{};
    if (QueryPerformanceCounter(&counter) == 0) return 0;
    return counter.QuadPart;
}

uint32_t Win32Clock::Milliseconds() { return timeGetTime(); }

LocalDateTime Win32Clock::Now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    LocalDateTime now;
    now.Year = time.wYear;
    now.Month = time.wMonth;
    now.Day = time.wDay;
    now.Hour = time.wHour;
    now.Minute = time.wMinute;
    now.Second = time.wSecond;
    now.Millisecond = time.wMilliseconds;
    return now;
}

}  // namespace platform::win32
