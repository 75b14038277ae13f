#pragma once
// The REGEXP operator's engine: Boost.Regex, ECMAScript syntax, letter case
// ignored (Czech letters too, whatever the process locale). Shared by the
// scan and by the knowledge-base checks, so both accept the same patterns.

#include <boost/regex.hpp>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"

namespace mdlRegex {

// Case folding that does not depend on the process locale. Character
// classes still come from the imbued locale.
class FoldingTraits : public boost::cpp_regex_traits<wchar_t> {
public:
    using boost::cpp_regex_traits<wchar_t>::translate;
    wchar_t translate(wchar_t ch, bool icase) const { return icase ? base::LowerChar(ch) : ch; }
    wchar_t translate_nocase(wchar_t ch) const { return base::LowerChar(ch); }
    wchar_t tolower(wchar_t ch) const { return base::LowerChar(ch); }
    wchar_t toupper(wchar_t ch) const { return base::UpperChar(ch); }
};
using Regex = boost::basic_regex<wchar_t, FoldingTraits>;
using RegexIterator = boost::regex_iterator<const wchar_t*, wchar_t, FoldingTraits>;

// The pattern in the engine's spelling: "\uXXXX" becomes "\x{XXXX}". When
// pOrigin is given it receives, for every character of the result, the
// index in strPattern it comes from.
std::wstring TranslatePattern(std::wstring_view strPattern, std::vector<size_t>* pOrigin = nullptr);

// Compiled as the scan runs it; raises error 5017 when the engine rejects it.
Regex CompileRegex(std::wstring_view strPattern);

// Compiles like CompileRegex; on rejection returns false with the engine's
// message and the 1-based column in strPattern where it gave up.
bool TryCompileRegex(std::wstring_view strPattern, Regex& re, std::wstring& strMessage, size_t& lngColumn);

}  // namespace mdlRegex
