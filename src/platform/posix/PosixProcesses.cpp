#include "platform/posix/PosixProcesses.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {

// The kernel marks its own threads with this process flag (field 9 of stat).
constexpr unsigned long kKernelThreadFlag = 0x00200000;

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsKernelThread(const std::string& folder) {
    std::string stat;
    if (!ReadSmallFile(folder + "/stat", stat, 4096)) return false;
    // The command in parentheses may hold blanks and parentheses: fields
    // are counted from the last ")".
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return false;
    size_t pos = close + 1;
    for (int field = 3; field <= 9; ++field) {
        pos = stat.find_first_not_of(' ', pos);
        if (pos == std::string::npos) return false;
        if (field == 9) return (std::strtoul(stat.c_str() + pos, nullptr, 10) & kKernelThreadFlag) != 0;
        pos = stat.find(' ', pos);
        if (pos == std::string::npos) return false;
    }
    return false;
}

// The executable's file name, as the process snapshot of Windows reports it.
std::string ExeName(const std::string& folder) {
    char target[4096];
    const ssize_t length = ::readlink((folder + "/exe").c_str(), target, sizeof target);
    if (length > 0) {
        std::string_view path(target, static_cast<size_t>(length));
        constexpr std::string_view kDeleted = " (deleted)";
        if (path.size() > kDeleted.size() && path.substr(path.size() - kDeleted.size()) == kDeleted) {
            path.remove_suffix(kDeleted.size());
        }
        const std::string_view name = FileNameOf(path);
        if (!name.empty()) return std::string(name);
    }
    // Other users' processes hide their executable: the command name is cut
    // to 15 bytes, so argv[0] gives the full name when it agrees with it.
    std::string comm;
    ReadSmallFile(folder + "/comm", comm, 4096);
    while (!comm.empty() && comm.back() == '\n') comm.pop_back();
    std::string cmdline;
    if (ReadSmallFile(folder + "/cmdline", cmdline, 65536) && !comm.empty()) {
        const std::string_view argv0 = FileNameOf(std::string_view(cmdline.c_str()));
        if (argv0.size() >= comm.size() && argv0.substr(0, comm.size()) == comm) return std::string(argv0);
    }
    return comm;
}

}  // namespace

bool PosixProcesses::Snapshot(uint32_t, std::vector<std::wstring>& exeNames) {
    exeNames.clear();
    const std::string proc = mRoot + "/proc";
    std::vector<FolderItem> items;
    if (!ListFolder(proc, items)) return false;
    std::vector<std::pair<unsigned long, std::string>> pids;
    for (const FolderItem& item : items) {
        if (item.name.empty() || item.name.find_first_not_of("0123456789") != std::string::npos) continue;
        pids.emplace_back(std::strtoul(item.name.c_str(), nullptr, 10), item.name);
    }
    std::sort(pids.begin(), pids.end());
    for (const auto& [pid, name] : pids) {
        const std::string folder = proc + "/" + name;
        if (IsKernelThread(folder)) continue;
        std::string exe = ExeName(folder);
        // A process that ended meanwhile has nothing left to read.
        if (exe.empty()) continue;
        exeNames.push_back(FromNativeName(exe));
    }
    return true;
}

}  // namespace platform::posix
