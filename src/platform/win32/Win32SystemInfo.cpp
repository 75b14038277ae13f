#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

namespace {

// The record as the ANSI call fills it: 128 bytes of service-pack text.
static_assert(sizeof(OSVERSIONINFOA) == 148);

std::wstring LocaleText(LCTYPE item, std::wstring_view fallback) {
    char buffer[16] = {};
    const int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    if (written <= 1) return std::wstring(fallback);
    return FromAnsi(std::string_view(buffer, strnlen(buffer, sizeof buffer)));
}

}  // namespace

bool Win32SystemInfo::GetVersion(VersionInfo& info) {
    OSVERSIONINFOA record{};
    record.dwOSVersionInfoSize = sizeof record;
    if (GetVersionExA(&record) == 0) return false;
    info.MajorVersion = record.dwMajorVersion;
    info.MinorVersion = record.dwMinorVersion;
    info.BuildNumber = record.dwBuildNumber;
    info.PlatformId = record.dwPlatformId;
    info.CSDVersion = FromAnsi(std::string_view(record.szCSDVersion, strnlen(record.szCSDVersion, sizeof record.szCSDVersion)));
    return true;
}

std::wstring Win32SystemInfo::ProgramPath() {
    // A full buffer means the path was cut: grow until it fits.
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return FromAnsi(buffer);
        }
        if (buffer.size() >= 64 * 1024) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring Win32SystemInfo::ProgramFolder() {
    std::wstring path = ProgramPath();
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // "C:\app.exe": the folder is the root and keeps its separator.
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, slash);
}

uint64_t Win32SystemInfo::InstanceHandle() {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
}

uint32_t Win32SystemInfo::LastError() { return GetLastError(); }

wchar_t Win32SystemInfo::DecimalSeparator() { return LocaleText(LOCALE_SDECIMAL, L".")[0]; }

std::wstring Win32SystemInfo::DateSeparator() { return LocaleText(LOCALE_SDATE, L"/"); }

std::wstring Win32SystemInfo::TimeSeparator() { return LocaleText(LOCALE_STIME, L":"); }

}  // namespace platform::win32
