#pragma once
// Program texts to file-system names and back, and small reading helpers the
// Linux stand-ins share.

#include <string>
#include <string_view>
#include <vector>

#include "platform/AnsiCodePage.h"

namespace platform::posix {

// A file name's bytes as text. Valid UTF-8 is decoded; every other byte b is
// kept as the lone surrogate U+DC00 + b, which ToAnsi writes back as b, so a
// name that is not UTF-8 still shows and still opens.
std::wstring FromNativeName(std::string_view bytes);

inline std::string NativePath(std::wstring_view strPath) { return ToAnsi(strPath); }

// The whole of a small file (at most lngLimit bytes are kept); false when it
// cannot be opened or read.
bool ReadSmallFile(const std::string& path, std::string& bytes, size_t lngLimit = 1u << 20);

// One entry of a folder, with what readdir knows of its kind.
struct FolderItem {
    std::string name;
    unsigned char type;  // DT_* value, DT_UNKNOWN when the file system does not say
};
// The entries of a folder ("." and ".." left out), sorted by their bytes;
// false when the folder cannot be listed.
bool ListFolder(const std::string& path, std::vector<FolderItem>& items);

// Splits text into lines (LF, CR LF or CR).
std::vector<std::string_view> SplitLines(std::string_view text);
// Without blanks and tabs at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace platform::posix
