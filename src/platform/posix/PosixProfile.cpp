#include "platform/posix/PosixProfile.h"

#include <algorithm>
#include <memory>

#include "base/Text.h"
#include "platform/posix/IniFile.h"
#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {

// The default as the Windows call gives it back: trailing spaces (not tabs)
// dropped, then one pair of enclosing quotes, like a value from the file.
std::wstring_view DefaultValue(std::wstring_view text) {
    text = base::CutAtNul(text);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    if (text.size() >= 2 && (text.front() == L'"' || text.front() == L'\'') && text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

// What GetString gives from file (nullptr: a file that could not be read).
uint32_t Lookup(const IniFile* file, std::wstring_view strSection, std::wstring_view strKey,
                std::wstring_view strDefault, uint32_t lngBufferChars, std::wstring& strValue) {
    strValue.clear();
    if (lngBufferChars == 0) return 0;
    const std::wstring* found = file != nullptr ? file->Find(strSection, strKey) : nullptr;
    const std::wstring_view value = found != nullptr ? base::CutAtNul(*found) : DefaultValue(strDefault);
    strValue.assign(value.substr(0, std::min<size_t>(value.size(), lngBufferChars - 1)));
    return static_cast<uint32_t>(strValue.size());
}

std::shared_ptr<const IniFile> Load(std::wstring_view strFile) {
    return IniCache::Shared().Load(NativePath(base::CutAtNul(strFile)));
}

class ParsedSnapshot final : public ProfileSnapshot {
public:
    explicit ParsedSnapshot(std::shared_ptr<const IniFile> file) : mFile(std::move(file)) {}
    uint32_t GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                       uint32_t lngBufferChars, std::wstring& strValue) override {
        return Lookup(mFile.get(), strSection, strKey, strDefault, lngBufferChars, strValue);
    }
    std::vector<std::wstring> SectionNames() override {
        return mFile ? mFile->SectionNames() : std::vector<std::wstring>{};
    }
    std::vector<std::wstring> KeyNames(std::wstring_view strSection) override {
        return mFile ? mFile->KeyNames(strSection) : std::vector<std::wstring>{};
    }

private:
    std::shared_ptr<const IniFile> mFile;
};

}  // namespace

uint32_t PosixProfile::GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                                 uint32_t lngBufferChars, std::wstring_view strFile, std::wstring& strValue) {
    if (lngBufferChars == 0) {
        strValue.clear();
        return 0;
    }
    return Lookup(Load(strFile).get(), strSection, strKey, strDefault, lngBufferChars, strValue);
}

std::vector<std::wstring> PosixProfile::SectionNames(std::wstring_view strFile) {
    return ParsedSnapshot(Load(strFile)).SectionNames();
}

std::vector<std::wstring> PosixProfile::KeyNames(std::wstring_view strSection, std::wstring_view strFile) {
    return ParsedSnapshot(Load(strFile)).KeyNames(strSection);
}

std::unique_ptr<ProfileSnapshot> PosixProfile::Snapshot(std::wstring_view strFile) {
    return std::make_unique<ParsedSnapshot>(Load(strFile));
}

}  // namespace platform::posix
