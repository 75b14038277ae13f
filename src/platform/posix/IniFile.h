#pragma once
// INI (profile) files on Linux, read the way the Windows profile calls read
// them, and a process-wide cache of parsed files.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct stat;

namespace platform::posix {

// One parsed file. Section and key names are trimmed of blanks and tabs and
// compared without regard to case; of duplicate sections only the first
// counts, of duplicate keys in it the first. Values are trimmed, lose one pair
// of enclosing quotes and keep everything else (";" and "#" included).
class IniFile {
public:
    IniFile() = default;
    // The file's raw bytes in the ANSI code page; a UTF-8 byte-order mark is
    // skipped. Any bytes are accepted; parsing is linear in their size.
    explicit IniFile(std::string_view bytes);

    // The value of strKey in strSection, nullptr when the section or key is
    // missing. The names are cut at their first NUL (as C strings would be);
    // an empty section name is never found. The value is kept as the file
    // holds it, NUL characters included.
    const std::wstring* Find(std::wstring_view strSection, std::wstring_view strKey) const;

    // The names Find can find, upper-cased, in no particular order: those of
    // the sections, and those of the keys of strSection.
    std::vector<std::wstring> SectionNames() const;
    std::vector<std::wstring> KeyNames(std::wstring_view strSection) const;

private:
    using Keys = std::unordered_map<std::wstring, std::wstring>;
    std::unordered_map<std::wstring, Keys> mSections;
};

// Parsed files by path. A file is read and parsed again only when its size,
// modification time (nanoseconds) or identity (device, inode) changes; the
// least recently used entries go when there are more than lngCapacity.
// Safe to use from several threads.
class IniCache {
public:
    explicit IniCache(size_t lngCapacity = 8);

    // The parsed file at strPath (a native path), nullptr when it is missing,
    // is not a regular file or cannot be read. The object stays valid for as
    // long as the caller holds it, even when the file changes meanwhile.
    std::shared_ptr<const IniFile> Load(const std::string& strPath);

    // The cache every PosixProfile shares.
    static IniCache& Shared();

private:
    struct Stamp {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = 0;
        int64_t seconds = 0;
        int64_t nanoseconds = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const struct stat& info);
    struct Entry {
        Stamp stamp;
        std::shared_ptr<const IniFile> file;
        uint64_t lastUse = 0;
    };

    void Forget(const std::string& strPath);
    void Store(const std::string& strPath, const Stamp& stamp, const std::shared_ptr<const IniFile>& file);

    std::mutex mLock;
    std::unordered_map<std::string, Entry> mEntries;
    size_t mCapacity;
    uint64_t mUses = 0;
};

}  // namespace platform::posix
