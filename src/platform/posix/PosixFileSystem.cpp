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

// Appends the bytes whole or not at all. A short write (a full disk, a file
// size limit) would leave a record without its line end, and the next one
// would continue that line: the file is cut back to where these bytes began.
bool AppendWhole(int fd, const char* data, size_t size) {
    off_t start = -1;
    size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(fd, data + done, size - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (start >= 0) {
                const int cut = ::ftruncate(fd, start);
                static_cast<void>(cut);  // when even that fails, nothing more can be done
            }
            return false;
        }
        // With O_APPEND the offset is the end of what was just written.
        if (start < 0) {
            const off_t end = ::lseek(fd, 0, SEEK_CUR);
            if (end >= written) start = end - written;
        }
        done += static_cast<size_t>(written);
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

// Attributes from what readdir says of the entry; the file is looked at only
// for links and for file systems that do not fill in the kind.
uint32_t Attributes(int dirFd, const dirent& item) {
    uint32_t attributes = 0;
    unsigned char type = item.d_type;
    if (type == DT_UNKNOWN) {
        struct stat st {};
        if (::fstatat(dirFd, item.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            type = S_ISLNK(st.st_mode) ? DT_LNK : S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
        }
    }
    if (type == DT_LNK) {
        // A link is reported as a reparse point (with the folder bit when it
        // points to a folder), so that walks list it without entering it.
        attributes |= kAttrReparsePoint;
        struct stat target {};
        if (::fstatat(dirFd, item.d_name, &target, 0) == 0 && S_ISDIR(target.st_mode)) attributes |= kAttrDirectory;
    } else if (type == DT_DIR) {
        attributes |= kAttrDirectory;
    }
    const char* name = item.d_name;
    if (name[0] == '.' && name[1] != '\0' && !(name[1] == '.' && name[2] == '\0')) attributes |= kAttrHidden;
    if (attributes == 0) attributes = kAttrNormal;
    return attributes;
}

// Sort key of a name: upper-cased, the common all-ASCII case without a table lookup.
std::wstring SortKey(const std::wstring& name) {
    for (wchar_t ch : name) {
        if (ch >= 0x80) return base::UCase(name);
    }
    std::wstring key(name);
    for (wchar_t& ch : key) {
        if (ch >= L'a' && ch <= L'z') ch = static_cast<wchar_t>(ch - (L'a' - L'A'));
    }
    return key;
}

class PosixFolderSearch final : public FolderSearch {
public:
    explicit PosixFolderSearch(std::vector<FindEntry> entries) : mEntries(std::move(entries)) {}
    bool Next(FindEntry& entry) override {
        if (mNext >= mEntries.size()) return false;
        entry = std::move(mEntries[mNext++]);
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

    // The folder asked for is opened even through a link (/opt or the
    // applications folder are links on image-based systems), as Windows
    // opens a junction it is given. Walks still never enter a link below
    // their root: such entries carry the reparse-point bit and are skipped.
    const int dirFd = ::open(NativePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return nullptr;
    DIR* dir = ::fdopendir(dirFd);
    if (dir == nullptr) {
        ::close(dirFd);
        return nullptr;
    }
    const bool everything = wildcard == L"*" || wildcard == L"*.*";
    std::vector<std::pair<std::wstring, FindEntry>> found;
    while (const dirent* item = ::readdir(dir)) {
        FindEntry entry;
        entry.Name = FromNativeName(item->d_name);
        if (!everything && !WildcardMatch(wildcard, entry.Name)) continue;
        entry.Attributes = Attributes(dirFd, *item);
        std::wstring key = SortKey(entry.Name);
        found.emplace_back(std::move(key), std::move(entry));
    }
    ::closedir(dir);
    if (found.empty()) return nullptr;
    // Folders list in a fixed order (as NTFS lists them), so lists are reproducible.
    // Names that differ only in case (possible here, not on NTFS) keep a fixed order too.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.Name < b.second.Name;
    });
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
    return AppendWhole(fd.Get(), bytes.data(), bytes.size());
}

}  // namespace platform::posix
