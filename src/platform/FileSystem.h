#pragma once
// Files and folders: folder search, creating folders, testing for, deleting,
// reading and appending to files. Paths use the platform's separator
// (see PathSeparator in Machine.h).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// File attribute bits, as the Windows search record carries them.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrNormal = 0x80;
inline constexpr uint32_t kAttrReparsePoint = 0x400;

struct FindEntry {
    std::wstring Name;    // cut at its first NUL
    uint32_t Attributes = 0;
};

// An open folder search; destroying it closes the search.
class FolderSearch {
public:
    virtual ~FolderSearch() = default;
    // The next entry; false when there are no more (or on error).
    virtual bool Next(FindEntry& entry) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // FindFirstFileA: strPattern is a folder followed by the separator and a
    // wildcard name ("*" or "*.*" list everything). Returns the search and its
    // first entry, or nothing when nothing can be listed.
    virtual std::unique_ptr<FolderSearch> FindFirst(std::wstring_view strPattern, FindEntry& first) = 0;

    // Creates one folder; false when it cannot (it exists, no parent, no rights).
    virtual bool CreateFolder(std::wstring_view strPath) = 0;
    // True for an existing file that is not a folder (hidden and system ones too).
    virtual bool FileExists(std::wstring_view strPath) = 0;
    // True for an existing folder.
    virtual bool FolderExists(std::wstring_view strPath) = 0;
    virtual bool DeleteFile(std::wstring_view strPath) = 0;
    // The whole file as bytes; false when it cannot be opened or read.
    virtual bool ReadFile(std::wstring_view strPath, std::string& bytes) = 0;
    // Opens for appending (created when missing), writes the text in the
    // ANSI code page, closes. False when the file cannot be opened or written.
    virtual bool AppendText(std::wstring_view strPath, std::wstring_view strText) = 0;
};

}  // namespace platform
