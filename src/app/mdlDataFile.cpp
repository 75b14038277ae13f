#include "app/mdlDataFile.h"

#include "platform/Machine.h"

namespace mdlDataFile {

std::wstring DataFilePath() {
    return platform::Host().system->ProgramFolder() + platform::PathSep() + kDataFileName;
}

std::wstring ReadDataFile(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault) {
    try {
        std::wstring value;
        platform::Host().profile->GetString(strSection, strKey, strDefault, kReadBufferChars, DataFilePath(), value);
        return value;
    } catch (...) {
        return {};
    }
}

std::vector<std::wstring> DataFileSections() {
    try {
        return platform::Host().profile->SectionNames(DataFilePath());
    } catch (...) {
        return {};
    }
}

std::vector<std::wstring> DataFileKeys(std::wstring_view strSection) {
    try {
        return platform::Host().profile->KeyNames(strSection, DataFilePath());
    } catch (...) {
        return {};
    }
}

}  // namespace mdlDataFile
