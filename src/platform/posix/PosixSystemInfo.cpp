#include "platform/posix/PosixSystemInfo.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/AnsiCodePage.h"
#include "platform/Machine.h"

namespace platform::posix {

void ParseKernelRelease(const std::string& release, VersionInfo& info) {
    uint32_t* fields[] = {&info.MajorVersion, &info.MinorVersion, &info.BuildNumber};
    for (uint32_t* field : fields) *field = 0;
    size_t pos = 0;
    for (uint32_t* field : fields) {
        uint64_t value = 0;
        size_t digits = 0;
        while (pos < release.size() && release[pos] >= '0' && release[pos] <= '9') {
            if (value < 0xFFFFFFFFull) value = value * 10 + static_cast<uint64_t>(release[pos] - '0');
            ++pos;
            ++digits;
        }
        *field = digits > 0 ? static_cast<uint32_t>(std::min<uint64_t>(value, 0xFFFFFFFFull)) : 0;
        if (pos >= release.size() || release[pos] != '.') break;
        ++pos;
    }
}

std::string PrettyName(const std::string& osRelease) {
    std::istringstream lines(osRelease);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("PRETTY_NAME=", 0) != 0) continue;
        std::string value = line.substr(12);
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return {};
}

bool PosixSystemInfo::GetVersion(VersionInfo& info) {
    struct utsname names {};
    if (::uname(&names) != 0) return false;
    VersionInfo result;
    result.PlatformId = kPlatformUnix;
    ParseKernelRelease(names.release, result);
    std::string osRelease;
    if (Host().files->ReadFile(L"/etc/os-release", osRelease) || Host().files->ReadFile(L"/usr/lib/os-release", osRelease)) {
        result.CSDVersion = FromAnsi(PrettyName(osRelease));
    }
    info = result;
    return true;
}

// Read once: the path the program was started from, as Windows keeps the
// module's name from its loading; the knowledge base is looked up beside it
// again and again.
std::wstring PosixSystemInfo::ProgramPath() {
    static const std::wstring path = ReadProgramPath();
    return path;
}

std::wstring PosixSystemInfo::ReadProgramPath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < buffer.size()) return FromAnsi(std::string_view(buffer.data(), static_cast<size_t>(length)));
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring PosixSystemInfo::ProgramFolder() {
    const std::wstring path = ProgramPath();
    const size_t slash = path.find_last_of(L'/');
    if (slash == std::wstring::npos) return {};
    if (slash == 0) return L"/";
    return path.substr(0, slash);
}

uint64_t PosixSystemInfo::InstanceHandle() { return static_cast<uint64_t>(::getpid()); }

uint32_t PosixSystemInfo::LastError() { return static_cast<uint32_t>(errno); }

}  // namespace platform::posix
