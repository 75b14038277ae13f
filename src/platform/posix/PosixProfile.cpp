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

}  // namespace

uint32_t PosixProfile::GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                                 uint32_t lngBufferChars, std::wstring_view strFile, std::wstring& strValue) {
    strValue.clear();
    if (lngBufferChars == 0) return 0;
    const std::shared_ptr<const IniFile> file = IniCache::Shared().Load(NativePath(base::CutAtNul(strFile)));
    const std::wstring* found = file ? file->Find(strSection, strKey) : nullptr;
    const std::wstring_view value = found != nullptr ? base::CutAtNul(*found) : DefaultValue(strDefault);
    strValue.assign(value.substr(0, std::min<size_t>(value.size(), lngBufferChars - 1)));
    return static_cast<uint32_t>(strValue.size());
}

std::vector<std::wstring> PosixProfile::SectionNames(std::wstring_view strFile) {
    const std::shared_ptr<const IniFile> file = IniCache::Shared().Load(NativePath(base::CutAtNul(strFile)));
    return file ? file->SectionNames() : std::vector<std::wstring>{};
}

std::vector<std::wstring> PosixProfile::KeyNames(std::wstring_view strSection, std::wstring_view strFile) {
    const std::shared_ptr<const IniFile> file = IniCache::Shared().Load(NativePath(base::CutAtNul(strFile)));
    return file ? file->KeyNames(strSection) : std::vector<std::wstring>{};
}

}  // namespace platform::posix
