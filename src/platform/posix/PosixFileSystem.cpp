#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "base/Text.h"
#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : mFd(fd) {}
    ~FileDescriptor() {
        if (mFd >= 0) ::close(mFd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return mFd; }

private:
    int mFd;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Windows wildcards: "*" any run, "?" one character, without regard to case;
// "*.*" matches every name, also names without a dot.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name) {
    if (pattern == L"*" || pattern == L"*.*") return true;
    const std::wstring p = base::UCase(pattern);
    const std::wstring s = base::UCase(name);
    size_t pi = 0, si = 0, starP = std::wstring::npos, starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == L'?' || p[pi] == s[si])) {
            ++pi;
            ++si;
        } else if (pi < p.size() && p[pi] == L'*') {
            starP = pi++;
            starS = si;
        } else if (starP != std::wstring::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*') ++pi;
    return pi == p.size();
}

uint32_t Attributes(int dirFd, const char* name, const std::string& displayName) {
    struct stat st {};
    uint32_t attributes = 0;
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // A link is reported as a reparse point (with the folder bit when it
            // points to a folder), so that walks list it without entering it.
            attributes |= kAttrReparsePoint;
            struct stat target {};
            if (::fstatat(dirFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) attributes |= kAttrDirectory;
        } else if (S_ISDIR(st.st_mode)) {
            attributes |= kAttrDirectory;
        }
        if (!(st.st_mode & S_IWUSR)) attributes |= kAttrReadOnly;
    }
    if (!displayName.empty() && displayName[0] == '.' && displayName != "." && displayName != "..") attributes |= kAttrHidden;
    if (attributes == 0) attributes = kAttrNormal;
    return attributes;
}

class PosixFolderSearch final : public FolderSearch {
public:
    explicit PosixFolderSearch(std::vector<FindEntry> entries) : mEntries(std::move(entries)) {}
    bool Next(FindEntry& entry) override {
        if (mNext >= mEntries.size()) return false;
        entry = mEntries[mNext++];
        return true;
    }

private:
    std::vector<FindEntry> mEntries;
    size_t mNext = 0;
};

}  // namespace

std::unique_ptr<FolderSearch> PosixFileSystem::FindFirst(std::wstring_view strPattern, FindEntry& first) {
    const size_t slash = strPattern.find_last_of(L'/');
    std::wstring folder = slash == std::wstring_view::npos ? L"." : std::wstring(strPattern.substr(0, slash));
    if (folder.empty()) folder = L"/";
    const std::wstring_view wildcard = slash == std::wstring_view::npos ? strPattern : strPattern.substr(slash + 1);

    FileDescriptor dirFd(::open(NativePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.Get() < 0) return nullptr;
    const int listFd = ::dup(dirFd.Get());
    if (listFd < 0) return nullptr;
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return nullptr;
    }
    std::vector<std::pair<std::wstring, FindEntry>> found;
    while (const dirent* item = ::readdir(dir)) {
        FindEntry entry;
        entry.Name = FromAnsi(item->d_name);
        if (!WildcardMatch(wildcard, entry.Name)) continue;
        entry.Attributes = Attributes(dirFd.Get(), item->d_name, item->d_name);
        found.emplace_back(base::UCase(entry.Name), std::move(entry));
    }
    ::closedir(dir);
    if (found.empty()) return nullptr;
    // Folders list in a fixed order (as NTFS lists them), so lists are reproducible.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<FindEntry> entries;
    entries.reserve(found.size());
    for (auto& item : found) entries.push_back(std::move(item.second));
    auto search = std::make_unique<PosixFolderSearch>(std::move(entries));
    search->Next(first);
    return search;
}

bool PosixFileSystem::CreateFolder(std::wstring_view strPath) {
    return ::mkdir(NativePath(strPath).c_str(), 0777) == 0;
}

bool PosixFileSystem::FileExists(std::wstring_view strPath) {
    struct stat st {};
    return ::stat(NativePath(strPath).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::FolderExists(std::wstring_view strPath) {
    struct stat st {};
    return ::stat(NativePath(strPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::DeleteFile(std::wstring_view strPath) {
    struct stat st {};
    const std::string path = NativePath(strPath);
    if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
}

bool PosixFileSystem::ReadFile(std::wstring_view strPath, std::string& bytes) {
    bytes.clear();
    FileDescriptor fd(::open(NativePath(strPath).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            bytes.clear();
            return false;
        }
        if (got == 0) return true;
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

bool PosixFileSystem::AppendText(std::wstring_view strPath, std::wstring_view strText) {
    FileDescriptor fd(::open(NativePath(strPath).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (fd.Get() < 0) return false;
    const std::string bytes = ToAnsi(strText);
    return WriteAll(fd.Get(), bytes.data(), bytes.size());
}

}  // namespace platform::posix
