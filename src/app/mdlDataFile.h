#pragma once
// The knowledge base: Vigilor.dat in the folder of the program.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "detect/clsTrack.h"
#include "platform/Profile.h"

namespace mdlDataFile {

inline constexpr const wchar_t* kDataFileName = L"Vigilor.dat";
// Values are read through a buffer of 255 characters: at most 254 come back.
inline constexpr uint32_t kReadBufferChars = 255;

// Full name of the data file: the program's folder as the system reports it,
// the path separator and the file name.
std::wstring DataFilePath();

// One value of the data file, read afresh on every call; strDefault when the
// file, section or key is missing.
std::wstring ReadDataFile(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault);
// The same from another file (a full path), through a buffer of
// lngBufferChars characters.
std::wstring ReadDataFileAt(std::wstring_view strFile, std::wstring_view strSection, std::wstring_view strKey,
                            std::wstring_view strDefault, uint32_t lngBufferChars = kReadBufferChars);

// A track value split at every "~#" (there is no quoting).
std::vector<std::wstring> SplitTrack(std::wstring_view strValue);
// Track lngTrack of breed lngBreed from its value, or none when the value does
// not hold exactly five fields. A report level out of the 32-bit range raises
// error 6.
std::shared_ptr<clsTrack> NewTrack(int32_t lngBreed, int32_t lngTrack, std::wstring_view strValue);

// The data file for a load that reads many values: read once where the
// system keeps a parsed copy, so that they hold together even when the file
// is replaced meanwhile.
std::unique_ptr<platform::ProfileSnapshot> DataFileSnapshot();
// One value of that snapshot, as ReadDataFile reads it from the file.
std::wstring ReadDataFile(platform::ProfileSnapshot& objData, std::wstring_view strSection, std::wstring_view strKey,
                          std::wstring_view strDefault);
// The names of the snapshot's sections, and of the keys of one section;
// letter case not defined, none when the file or section is missing or the
// names cannot be read.
std::vector<std::wstring> DataFileSections(platform::ProfileSnapshot& objData);
std::vector<std::wstring> DataFileKeys(platform::ProfileSnapshot& objData, std::wstring_view strSection);

}  // namespace mdlDataFile
