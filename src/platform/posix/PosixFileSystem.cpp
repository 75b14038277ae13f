#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <utility>
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
    int Release() { return std::exchange(mFd, -1); }

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

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
// At most this many open searches keep their folder's descriptor for opening
// subfolders; a deeper walk opens the rest by path, well within the
// descriptor limit.
constexpr size_t kMaxKeptFolders = 64;

// Attributes from what the folder says of the entry; the file is looked at
// only for links and for file systems that do not fill in the kind.
uint32_t Attributes(int dirFd, const char* name, unsigned char type) {
    uint32_t attributes = 0;
    if (type == DT_UNKNOWN) {
        struct stat st {};
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            type = S_ISLNK(st.st_mode) ? DT_LNK : S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
        }
    }
    if (type == DT_LNK) {
        // A link is reported as a reparse point (with the folder bit when it
        // points to a folder), so that walks list it without entering it.
        attributes |= kAttrReparsePoint;
        struct stat target {};
        if (::fstatat(dirFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) attributes |= kAttrDirectory;
    } else if (type == DT_DIR) {
        attributes |= kAttrDirectory;
    }
    if (name[0] == '.' && name[1] != '\0' && !(name[1] == '.' && name[2] == '\0')) attributes |= kAttrHidden;
    if (attributes == 0) attributes = kAttrNormal;
    return attributes;
}

// Appends a name as FromNativeName reads it. ASCII and two-byte sequences
// (accented Latin, Greek and Cyrillic letters) are decoded here, with no
// string made for the name; from the first other byte on, FromNativeName
// decodes the rest the same as it would from the start, since every
// sequence decoded here ends where the next one begins.
void AppendName(std::string_view bytes, std::wstring& text) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    const size_t at = text.size();
    text.resize(at + size);  // never more characters than bytes
    wchar_t* out = text.data() + at;
    size_t i = 0, made = 0;
    while (i < size) {
        if (in[i] < 0x80) {
            out[made++] = in[i++];
        } else if (in[i] >= 0xC2 && in[i] <= 0xDF && i + 1 < size && (in[i + 1] & 0xC0) == 0x80) {
            out[made++] = static_cast<wchar_t>(((in[i] & 0x1F) << 6) | (in[i + 1] & 0x3F));
            i += 2;
        } else {
            break;
        }
    }
    text.resize(at + made);
    if (i < size) text += FromNativeName(bytes.substr(i));
}

// UpperChar, ASCII without the call.
wchar_t Upper(wchar_t ch) {
    if (ch >= 0x80) return base::UpperChar(ch);
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - (L'a' - L'A')) : ch;
}

// The order of the upper-cased names, and of the names themselves where
// those are the same. Equal characters have equal capitals, so a capital is
// looked up only where two names differ, and no upper-cased copy is made.
bool ListsBefore(std::wstring_view a, std::wstring_view b) {
    const size_t common = std::min(a.size(), b.size());
    int byName = 0;
    for (size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) continue;
        const wchar_t upperA = Upper(a[i]), upperB = Upper(b[i]);
        if (upperA != upperB) return upperA < upperB;
        if (byName == 0) byName = a[i] < b[i] ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return byName < 0;
}

class PosixFolderSearch final : public FolderSearch {
public:
    explicit PosixFolderSearch(std::wstring folder) : mFolder(std::move(folder)) {}
    ~PosixFolderSearch() override;
    PosixFolderSearch(const PosixFolderSearch&) = delete;
    PosixFolderSearch& operator=(const PosixFolderSearch&) = delete;

    bool Next(FindEntry& entry) override {
        if (mNext >= mItems.size()) return false;
        const Item& item = mItems[mNext++];
        entry.Name.assign(mText, item.offset, item.length);
        entry.Attributes = item.attributes;
        return true;
    }

    // Reads the whole folder; false when it has no entry the wildcard takes.
    bool Read(int dirFd, std::wstring_view wildcard);
    void Keep(int dirFd);
    const std::wstring& Folder() const { return mFolder; }
    int Descriptor() const { return mFd; }

private:
    struct Item {
        size_t offset;  // of the name in mText
        uint32_t length;
        uint32_t attributes;
    };

    void Sort();

    std::wstring mFolder;
    int mFd = -1;
    // Every name, in one block rather than a string each.
    std::wstring mText;
    std::vector<Item> mItems;
    size_t mNext = 0;
};

// The searches still open that keep their folder's descriptor. A walk opens
// each subfolder relative to its parent's descriptor instead of looking up
// the whole path from the root again, which was much of a deep walk's cost;
// it so also reads the very folder it listed the subfolder in. Only open
// searches are asked: no descriptor outlives its walk.
class KeptFolders {
public:
    // strFolder opened through the kept descriptor of its parent; -1 when no
    // open search keeps it, or when the open fails (the path is then tried).
    int OpenThroughParent(std::wstring_view strFolder) {
        const size_t slash = strFolder.find_last_of(L'/');
        if (slash == std::wstring_view::npos || slash == 0) return -1;
        const std::wstring_view parent = strFolder.substr(0, slash);
        const std::wstring_view name = strFolder.substr(slash + 1);
        if (name.empty() || name == L"." || name == L"..") return -1;
        const std::lock_guard lock(mLock);
        for (auto it = mKept.rbegin(); it != mKept.rend(); ++it) {
            if ((*it)->Folder() == parent) return ::openat((*it)->Descriptor(), NativePath(name).c_str(), kFolderFlags);
        }
        return -1;
    }
    bool Add(const PosixFolderSearch* search) {
        const std::lock_guard lock(mLock);
        if (mKept.size() >= kMaxKeptFolders) return false;
        mKept.push_back(search);
        return true;
    }
    // Closed under the lock: another thread may be opening through it.
    void Remove(const PosixFolderSearch* search, int dirFd) {
        const std::lock_guard lock(mLock);
        const auto it = std::find(mKept.rbegin(), mKept.rend(), search);
        if (it != mKept.rend()) mKept.erase(std::next(it).base());
        ::close(dirFd);
    }

private:
    std::mutex mLock;
    std::vector<const PosixFolderSearch*> mKept;
};

KeptFolders& Kept() {
    static KeptFolders kept;
    return kept;
}

PosixFolderSearch::~PosixFolderSearch() {
    if (mFd >= 0) Kept().Remove(this, mFd);
}

void PosixFolderSearch::Keep(int dirFd) {
    mFd = dirFd;
    if (!Kept().Add(this)) {
        mFd = -1;
        ::close(dirFd);
    }
}

bool PosixFolderSearch::Read(int dirFd, std::wstring_view wildcard) {
    const bool everything = wildcard == L"*" || wildcard == L"*.*";
    // The records readdir would give, read straight from the kernel: a DIR
    // costs an fstat and two fcntl calls for every folder.
    alignas(dirent64) char buffer[32768];
    for (;;) {
        const ssize_t got = ::getdents64(dirFd, buffer, sizeof buffer);
        if (got <= 0) break;
        // The names take no more characters than the records' bytes.
        mText.reserve(mText.size() + static_cast<size_t>(got));
        for (ssize_t at = 0; at < got;) {
            const auto* record = reinterpret_cast<const dirent64*>(buffer + at);
            at += record->d_reclen;
            if (record->d_ino == 0) continue;  // deleted; readdir skips these too
            const size_t offset = mText.size();
            AppendName(record->d_name, mText);
            const size_t length = mText.size() - offset;
            if (!everything && !WildcardMatch(wildcard, std::wstring_view(mText).substr(offset, length))) {
                mText.resize(offset);
                continue;
            }
            const uint32_t attributes = Attributes(dirFd, record->d_name, record->d_type);
            mItems.push_back({offset, static_cast<uint32_t>(length), attributes});
        }
    }
    Sort();
    return !mItems.empty();
}

// Folders list in a fixed order (as NTFS lists them), so lists are reproducible.
// Names that differ only in case (possible here, not on NTFS) keep a fixed order too.
// No two names of a folder are equal, so any sort gives this one order; the
// merge sort makes fewer comparisons than std::sort.
void PosixFolderSearch::Sort() {
    const std::wstring_view text = mText;
    std::stable_sort(mItems.begin(), mItems.end(), [text](const Item& a, const Item& b) {
        return ListsBefore(text.substr(a.offset, a.length), text.substr(b.offset, b.length));
    });
}

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
    int opened = Kept().OpenThroughParent(folder);
    if (opened < 0) opened = ::open(NativePath(folder).c_str(), kFolderFlags);
    FileDescriptor dir(opened);
    if (dir.Get() < 0) return nullptr;
    auto search = std::make_unique<PosixFolderSearch>(std::move(folder));
    if (!search->Read(dir.Get(), wildcard)) return nullptr;
    search->Keep(dir.Release());
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
