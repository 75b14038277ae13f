#pragma once
// Facts about how this build reads its files and loads libraries, for the
// checks that tell knowledge-base authors what the program will do.

#include <string>
#include <string_view>

namespace platform {

enum class TextEncoding {
    Utf8,  // bytes that are not UTF-8 are still read, as Windows-1250
    Windows1250,
};

// The encoding the knowledge base is read in.
TextEncoding DataFileEncoding();

// True when a library name that is a relative path is never looked up in the
// program's or the current folder, so a copy planted there is not loaded.
bool LibrarySearchSkipsProgramFolder();

// strPath made absolute against the current folder (the profile reader
// would otherwise look for a bare name somewhere else).
std::wstring FullPath(std::wstring_view strPath);

}  // namespace platform
