#include "log/clsLogCfg.h"

#include <initializer_list>

#include "base/Text.h"
#include "log/LogRecType.h"
#include "log/mdlPathSup.h"
#include "platform/Machine.h"

namespace {

// Characters the profile reader may hand back, its terminating NUL included.
constexpr uint32_t kValueBufferChars = 1024;

bool IsOneOf(std::wstring_view value, std::initializer_list<std::wstring_view> words) {
    for (std::wstring_view word : words) {
        if (value == word) return true;
    }
    return false;
}

bool IsTrueWord(std::wstring_view value) { return IsOneOf(value, {L"TRUE", L"1", L"ENABLE", L"ON"}); }

// An upper-cased value without a comma.
int32_t WordState(std::wstring_view value) {
    if (value == L"MSGBOX") return clsLogCfg::kFile | clsLogCfg::kMsgBox;
    if (value == L"FILE" || IsTrueWord(value)) return clsLogCfg::kFile;
    if (IsOneOf(value, {L"FALSE", L"NONE", L"DISABLE", L"OFF"})) return clsLogCfg::kOff;
    return clsLogCfg::kNotSet;
}

// An upper-cased comma list: a true word switches on the file in first
// place and the message box in any later place, so "1,1" is both.
int32_t ListState(std::wstring_view value) {
    int32_t bits = 0;
    bool first = true;
    for (;;) {
        const size_t comma = value.find(L',');
        const std::wstring_view element = value.substr(0, comma);
        if (element == L"MSGBOX") {
            bits |= clsLogCfg::kMsgBox;
        } else if (element == L"FILE") {
            bits |= clsLogCfg::kFile;
        } else if (IsTrueWord(element)) {
            bits |= first ? clsLogCfg::kFile : clsLogCfg::kMsgBox;
        }
        if (comma == std::wstring_view::npos) break;
        value.remove_prefix(comma + 1);
        first = false;
    }
    return bits == 0 ? clsLogCfg::kNotSet : bits;
}

}  // namespace

std::wstring clsLogCfg::GetRecTypeName(int32_t eRecType) {
    switch (eRecType) {
        case mdlLog::InfoLog: return L"InfoLog";
        case mdlLog::SysLog: return L"SysLog";
        case mdlLog::ERRLOG: return L"ERRLOG";
        case mdlLog::DebugLog: return L"DebugLog";
        case mdlLog::Post: return L"Post";
        case mdlLog::Perf_I: return L"Perf_I";
        case mdlLog::Perf_II: return L"Perf_II";
        case mdlLog::Perf_III: return L"Perf_III";
        case mdlLog::Perf_SQL: return L"Perf_SQL";
        default: return L"default";
    }
}

int32_t clsLogCfg::ReadSetting(int32_t eRecType, std::wstring_view strComponentName) const noexcept {
    try {
        if (mstrINIFile.empty()) return kNotSet;
        const std::wstring section = strComponentName.empty() ? std::wstring(L"Default") : std::wstring(strComponentName);
        platform::Profile& profile = *platform::Host().profile;
        std::wstring value;
        profile.GetString(section, GetRecTypeName(eRecType), L"", kValueBufferChars, mstrINIFile, value);
        value = base::UCase(value);
        if (value.empty()) {
            profile.GetString(section, L"default", L"", kValueBufferChars, mstrINIFile, value);
            value = base::UCase(value);
        }
        int32_t result = kNotSet;
        if (!value.empty()) result = value.find(L',') != std::wstring::npos ? ListState(value) : WordState(value);
        if (!strComponentName.empty() && result == kNotSet) return ReadSetting(eRecType, L"");
        return result;
    } catch (...) {
        return kNotSet;
    }
}

int32_t clsLogCfg::GetMarkerDefault(int32_t eRecType) const {
    const wchar_t* marker = nullptr;
    switch (eRecType) {
        case mdlLog::DebugLog: marker = L"debugon"; break;
        case mdlLog::Perf_I:
        case mdlLog::Perf_II:
        case mdlLog::Perf_III: marker = L"performanceon"; break;
        case mdlLog::Perf_SQL: marker = L"performanceSQLon"; break;
        default: return kFile;
    }
    return platform::Host().files->FileExists(mdlPathSup::GetFilePath(mstrINIFile) + marker) ? kFile : kOff;
}

int32_t clsLogCfg::GetSetting(int32_t eRecType, int32_t eDefaultValue, std::wstring_view strComponentName) const noexcept {
    try {
        const int32_t value = ReadSetting(eRecType, strComponentName);
        if (value != kNotSet) return value;
        return strComponentName.empty() ? GetMarkerDefault(eRecType) : eDefaultValue;
    } catch (...) {
        return kFile;
    }
}
