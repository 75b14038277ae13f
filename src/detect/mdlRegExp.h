#pragma once
// The REGEXP operator's engine: every match of a knowledge-base pattern in a
// list text (ECMAScript syntax, letter case ignored, "^" and "$" at every
// line, "." not across a line end), with the work of one evaluation bounded
// as a whole.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mdlRegExp {

struct Match {
    size_t offset;  // 0-based character offset in the text
    size_t length;
};

// Work allowed to one evaluation over a text of lngChars characters: one unit
// per character the engine reads or steps over, summed over all its searches. Linear
// patterns use a few units per character; the allowance leaves them a wide
// margin, while a backtracking pattern over a long list runs out of it soon.
uint64_t DefaultBudget(size_t lngChars);

// "\uXXXX" (the knowledge base's way to write a character by its code) in the
// engine's spelling "\x{XXXX}".
std::wstring TranslatePattern(std::wstring_view strPattern);

// Appends every match of strPattern in strText to colMatches, in order of
// position. A pattern the engine rejects raises error 5017; a search that
// needs more work than lngBudget, or more than the engine allows one search,
// raises the engine's complexity error (a std::runtime_error). The matches
// found until then stay in colMatches.
void Execute(std::wstring_view strPattern, std::wstring_view strText, std::vector<Match>& colMatches,
             uint64_t lngBudget);
inline void Execute(std::wstring_view strPattern, std::wstring_view strText, std::vector<Match>& colMatches) {
    Execute(strPattern, strText, colMatches, DefaultBudget(strText.size()));
}

}  // namespace mdlRegExp
