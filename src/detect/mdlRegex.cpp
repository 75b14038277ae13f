#include "detect/mdlRegex.h"

#include <locale>
#include <stdexcept>

#include "base/VbError.h"

namespace mdlRegex {

namespace {

constexpr int32_t kErrRegexSyntax = 5017;

// A UTF-8 locale gives the classes (\w, [[:alpha:]]) their Unicode meaning;
// where none is installed the classic locale has to do.
const std::locale& RegexLocale() {
    static const std::locale locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            try {
                return std::locale(name);
            } catch (const std::runtime_error&) {
            }
        }
        return std::locale::classic();
    }();
    return locale;
}

bool IsHexDigit(wchar_t ch) {
    return (ch >= L'0' && ch <= L'9') || (ch >= L'a' && ch <= L'f') || (ch >= L'A' && ch <= L'F');
}

void Assign(Regex& re, const std::wstring& strTranslated) {
    re.imbue(RegexLocale());
    re.assign(strTranslated, boost::regex_constants::ECMAScript | boost::regex_constants::icase);
}

}  // namespace

// "\uXXXX" is how the knowledge base writes a character by its code; the
// engine spells that "\x{XXXX}". An escaped backslash is left alone.
std::wstring TranslatePattern(std::wstring_view strPattern, std::vector<size_t>* pOrigin) {
    std::wstring result;
    result.reserve(strPattern.size());
    const auto emit = [&](std::wstring_view text, size_t from) {
        result.append(text);
        if (pOrigin != nullptr) pOrigin->insert(pOrigin->end(), text.size(), from);
    };
    for (size_t i = 0; i < strPattern.size(); ++i) {
        const wchar_t ch = strPattern[i];
        if (ch != L'\\' || i + 1 >= strPattern.size()) {
            emit(strPattern.substr(i, 1), i);
            continue;
        }
        if (strPattern[i + 1] == L'u' && i + 5 < strPattern.size() && IsHexDigit(strPattern[i + 2]) &&
            IsHexDigit(strPattern[i + 3]) && IsHexDigit(strPattern[i + 4]) && IsHexDigit(strPattern[i + 5])) {
            emit(L"\\x{" + std::wstring(strPattern.substr(i + 2, 4)) + L"}", i);
            i += 5;
        } else {
            emit(strPattern.substr(i, 1), i);
            emit(strPattern.substr(i + 1, 1), i + 1);
            ++i;
        }
    }
    return result;
}

Regex CompileRegex(std::wstring_view strPattern) {
    Regex re;
    try {
        Assign(re, TranslatePattern(strPattern));
    } catch (const boost::regex_error&) {
        base::Raise(kErrRegexSyntax, {}, L"Syntax error in regular expression");
    }
    return re;
}

bool TryCompileRegex(std::wstring_view strPattern, Regex& re, std::wstring& strMessage, size_t& lngColumn) {
    std::vector<size_t> origin;
    const std::wstring strTranslated = TranslatePattern(strPattern, &origin);
    try {
        Assign(re, strTranslated);
        return true;
    } catch (const boost::regex_error& error) {
        const std::string message = FoldingTraits().error_string(error.code());
        strMessage.assign(message.begin(), message.end());
        const auto position = static_cast<size_t>(error.position() < 0 ? 0 : error.position());
        lngColumn = (position < origin.size() ? origin[position] : strPattern.size()) + 1;
        return false;
    }
}

}  // namespace mdlRegex
