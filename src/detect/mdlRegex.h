#pragma once
// The REGEXP operator's engine: Boost.Regex, ECMAScript syntax, letter case
// ignored (Czech letters too, whatever the process locale), "^" and "$" at
// every line, "." not across a line end, the work of one evaluation bounded
// as a whole. Shared by the scan and by the knowledge-base checks, so both
// accept the same patterns.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mdlRegex {

// The pattern in the engine's spelling: "\uXXXX" becomes "\x{XXXX}". When
// pOrigin is given it receives, for every character of the result, the
// index in strPattern it comes from.
std::wstring TranslatePattern(std::wstring_view strPattern, std::vector<size_t>* pOrigin = nullptr);

// Compiles the pattern as the scan does; on rejection returns false with the
// engine's message and the 1-based column in strPattern where it gave up.
bool TryCompileRegex(std::wstring_view strPattern, std::wstring& strMessage, size_t& lngColumn);

// Literal runs that every match of strPattern (as the knowledge base writes
// it) contains, for a look-up before the engine runs: a list lacking one,
// compared as the engine compares letters (LowerChar), holds no match.
// Read conservatively: only the top-level sequence gives runs; a pattern
// with a top-level "|", an inline option, "\Q" or a construct this reading
// does not know gives none. When pblnLeading is given it is set when every
// match starts with the first run: only "^", "\b" or "\B" come before it.
std::vector<std::wstring> RequiredRuns(std::wstring_view strPattern, bool* pblnLeading = nullptr);

// Compiles the pattern as Execute would, raising error 5017 when the engine
// rejects it, without searching anything.
void Validate(std::wstring_view strPattern);

struct Match {
    size_t offset;  // 0-based character offset in the text
    size_t length;
};

// Work allowed to one evaluation over a text of lngChars characters: one unit
// per character the engine looks at, summed over all its searches. Linear
// patterns use a few units per character; the allowance leaves them a wide
// margin, while a backtracking pattern over a long list runs out of it soon.
uint64_t DefaultBudget(size_t lngChars);

// Places where a pattern's first required run occurs in a text (compared as
// the engine compares), found beforehand: in order, and every one of them
// when blnComplete; otherwise every one up to the last listed.
struct RunPlaces {
    const std::vector<size_t>* places = nullptr;
    bool complete = false;
};

// Appends every match of strPattern in strText to colMatches, in order of
// position. A pattern the engine rejects raises error 5017; a search that
// needs more work than lngBudget, or more than the engine allows one search,
// raises the engine's complexity error (a std::runtime_error). The matches
// found until then stay in colMatches.
void Execute(std::wstring_view strPattern, std::wstring_view strText, std::vector<Match>& colMatches,
             uint64_t lngBudget, const RunPlaces& objPlaces = {});
inline void Execute(std::wstring_view strPattern, std::wstring_view strText, std::vector<Match>& colMatches) {
    Execute(strPattern, strText, colMatches, DefaultBudget(strText.size()));
}

}  // namespace mdlRegex
