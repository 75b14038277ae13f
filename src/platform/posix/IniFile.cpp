#include "platform/posix/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Text.h"
#include "platform/AnsiCodePage.h"

namespace platform::posix {

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool IsBlankW(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

std::string_view TrimBytes(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    size_t last = text.size();
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// A name from the file: decoded, trimmed, case-folded.
std::wstring FoldFileName(std::string_view bytes) { return base::UCase(FromAnsi(TrimBytes(bytes))); }

// A name asked for: cut at NUL, trimmed, case-folded.
std::wstring FoldLookupName(std::wstring_view text) {
    text = base::CutAtNul(text);
    size_t first = 0;
    while (first < text.size() && IsBlankW(text[first])) ++first;
    size_t last = text.size();
    while (last > first && IsBlankW(text[last - 1])) --last;
    return base::UCase(text.substr(first, last - first));
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniFile::IniFile(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    // Keys go to the section being read; nullptr before the first section and
    // in a repeated one, whose keys are never found.
    Keys* current = nullptr;
    size_t pos = 0;
    const size_t size = bytes.size();
    while (pos < size) {
        size_t end = pos;
        while (end < size && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        std::string_view line = bytes.substr(pos, end - pos);
        // CR LF, LF and CR all end a line; the empty "line" between CR and LF
        // is skipped like any blank line.
        pos = end + 1;

        size_t start = 0;
        while (start < line.size() && IsBlank(line[start])) ++start;
        line.remove_prefix(start);
        if (line.empty() || line.front() == ';') continue;

        if (line.front() == '[') {
            std::string_view name = line.substr(1);
            // Up to the last "]", or the whole rest when the line has none.
            const size_t close = name.rfind(']');
            if (close != std::string_view::npos) name = name.substr(0, close);
            auto [it, inserted] = mSections.try_emplace(FoldFileName(name));
            current = inserted ? &it->second : nullptr;
            continue;
        }

        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || current == nullptr) continue;
        std::wstring key = FoldFileName(line.substr(0, equals));
        if (current->find(key) != current->end()) continue;
        current->emplace(std::move(key), FromAnsi(Unquote(TrimBytes(line.substr(equals + 1)))));
    }
}

const std::wstring* IniFile::Find(std::wstring_view strSection, std::wstring_view strKey) const {
    const std::wstring section = FoldLookupName(strSection);
    if (section.empty()) return nullptr;
    const auto foundSection = mSections.find(section);
    if (foundSection == mSections.end()) return nullptr;
    const auto foundKey = foundSection->second.find(FoldLookupName(strKey));
    return foundKey == foundSection->second.end() ? nullptr : &foundKey->second;
}

namespace {

// A lookup cuts its names at NUL, so a name holding one is never found.
bool HasNul(const std::wstring& strName) { return strName.find(L'\0') != std::wstring::npos; }

}  // namespace

std::vector<std::wstring> IniFile::SectionNames() const {
    std::vector<std::wstring> names;
    names.reserve(mSections.size());
    for (const auto& [name, keys] : mSections) {
        if (!name.empty() && !HasNul(name)) names.push_back(name);
    }
    return names;
}

std::vector<std::wstring> IniFile::KeyNames(std::wstring_view strSection) const {
    std::vector<std::wstring> names;
    const std::wstring section = FoldLookupName(strSection);
    if (section.empty()) return names;
    const auto found = mSections.find(section);
    if (found == mSections.end()) return names;
    names.reserve(found->second.size());
    for (const auto& [name, value] : found->second) {
        if (!HasNul(name)) names.push_back(name);
    }
    return names;
}

namespace {

bool ReadAll(int fd, std::string& bytes) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got > 0) {
            bytes.append(chunk, static_cast<size_t>(got));
        } else if (got == 0) {
            return true;
        } else if (errno != EINTR) {
            return false;
        }
    }
}

class FileHandle {
public:
    explicit FileHandle(int fd) : mFd(fd) {}
    ~FileHandle() {
        if (mFd >= 0) ::close(mFd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return mFd; }

private:
    int mFd;
};

}  // namespace

IniCache::IniCache(size_t lngCapacity) : mCapacity(lngCapacity == 0 ? 1 : lngCapacity) {}

IniCache& IniCache::Shared() {
    static IniCache cache;
    return cache;
}

IniCache::Stamp IniCache::StampOf(const struct stat& info) {
    Stamp stamp;
    stamp.device = static_cast<uint64_t>(info.st_dev);
    stamp.inode = static_cast<uint64_t>(info.st_ino);
    stamp.size = static_cast<int64_t>(info.st_size);
    stamp.seconds = static_cast<int64_t>(info.st_mtim.tv_sec);
    stamp.nanoseconds = static_cast<int64_t>(info.st_mtim.tv_nsec);
    return stamp;
}

std::shared_ptr<const IniFile> IniCache::Load(const std::string& strPath) {
    struct stat info {};
    if (strPath.empty() || ::stat(strPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        Forget(strPath);
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> guard(mLock);
        const auto found = mEntries.find(strPath);
        if (found != mEntries.end() && found->second.stamp == StampOf(info)) {
            found->second.lastUse = ++mUses;
            return found->second.file;
        }
    }

    // Read and parse outside the lock: a large file must not hold up lookups
    // in other files. The stamp is taken from the open file, so a change made
    // while reading shows as a new stamp on the next call.
    const FileHandle handle(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC));
    std::string bytes;
    if (handle.Get() < 0 || ::fstat(handle.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        !ReadAll(handle.Get(), bytes)) {
        Forget(strPath);
        return nullptr;
    }
    auto file = std::make_shared<const IniFile>(bytes);
    Store(strPath, StampOf(info), file);
    return file;
}

void IniCache::Forget(const std::string& strPath) {
    std::lock_guard<std::mutex> guard(mLock);
    mEntries.erase(strPath);
}

void IniCache::Store(const std::string& strPath, const Stamp& stamp, const std::shared_ptr<const IniFile>& file) {
    std::lock_guard<std::mutex> guard(mLock);
    Entry& entry = mEntries[strPath];
    entry.stamp = stamp;
    entry.file = file;
    entry.lastUse = ++mUses;
    while (mEntries.size() > mCapacity) {
        auto oldest = mEntries.begin();
        for (auto it = mEntries.begin(); it != mEntries.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse) oldest = it;
        }
        mEntries.erase(oldest);
    }
}

}  // namespace platform::posix
