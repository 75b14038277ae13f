#include "app/mdlDataFile.h"

#include "base/Numbers.h"
#include "platform/Machine.h"

namespace mdlDataFile {

std::wstring DataFilePath() { return platform::Host().system->ProgramFolder() + platform::PathSep() + kDataFileName; }

std::wstring ReadDataFile(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault) {
    return ReadDataFileAt(DataFilePath(), strSection, strKey, strDefault);
}

std::wstring ReadDataFileAt(std::wstring_view strFile, std::wstring_view strSection, std::wstring_view strKey,
                            std::wstring_view strDefault, uint32_t lngBufferChars) {
    try {
        std::wstring value;
        platform::Host().profile->GetString(strSection, strKey, strDefault, lngBufferChars, strFile, value);
        return value;
    } catch (...) {
        return {};
    }
}

std::vector<std::wstring> SplitTrack(std::wstring_view strValue) {
    constexpr std::wstring_view kDelimiter = L"~#";
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t found = strValue.find(kDelimiter, start);
        if (found == std::wstring_view::npos) {
            fields.emplace_back(strValue.substr(start));
            return fields;
        }
        fields.emplace_back(strValue.substr(start, found - start));
        start = found + kDelimiter.size();
    }
}

std::shared_ptr<clsTrack> NewTrack(int32_t lngBreed, int32_t lngTrack, std::wstring_view strValue) {
    const std::vector<std::wstring> fields = SplitTrack(strValue);
    if (fields.size() != 5) return nullptr;
    auto objTrack = std::make_shared<clsTrack>();
    objTrack->BreedID(lngBreed);
    objTrack->Class(fields[0]);
    objTrack->ID(lngTrack);
    objTrack->InputValue(fields[1]);
    objTrack->Operator(fields[2]);
    objTrack->TestingValue(fields[3]);
    objTrack->ReportLevel(base::IsNumeric(fields[4]) ? base::CLng(fields[4]) : 99);
    return objTrack;
}

std::unique_ptr<platform::ProfileSnapshot> DataFileSnapshot() {
    return platform::Host().profile->Snapshot(DataFilePath());
}

std::wstring ReadDataFile(platform::ProfileSnapshot& objData, std::wstring_view strSection, std::wstring_view strKey,
                          std::wstring_view strDefault) {
    try {
        std::wstring value;
        objData.GetString(strSection, strKey, strDefault, kReadBufferChars, value);
        return value;
    } catch (...) {
        return {};
    }
}

std::vector<std::wstring> DataFileSections(platform::ProfileSnapshot& objData) {
    try {
        return objData.SectionNames();
    } catch (...) {
        return {};
    }
}

std::vector<std::wstring> DataFileKeys(platform::ProfileSnapshot& objData, std::wstring_view strSection) {
    try {
        return objData.KeyNames(strSection);
    } catch (...) {
        return {};
    }
}

}  // namespace mdlDataFile
