#pragma once
// The LIKE operator of the knowledge base: "?" any one character, "*" any
// run (line ends included), "#" one digit 0-9, "[...]" one character of the
// group ("[!...]" one not in it, "a-z" a range, "-" first or last itself).
// Characters compare by code. Matching backtracks only to the last "*", so
// any pattern runs in O(text x pattern) time and constant extra memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// True when the whole of strText matches the whole of strPattern. An unclosed
// "[" or a descending range raises error 93 "Invalid pattern string".
bool Like(std::wstring_view strText, std::wstring_view strPattern);

// The same with both sides lower-cased first (Czech letters included).
bool LikeText(std::wstring_view strText, std::wstring_view strPattern);

// Like over strText lower-cased (without a lower-cased copy of it) against
// strPattern as given. lngSkip is a hint: when no occurrence of the pattern's
// first literal run in the lower-cased text starts before lngSkip, passing
// it lets a leading "*" step over that part at once; 0 is always right.
bool LikeLowered(std::wstring_view strText, std::wstring_view strPattern, size_t lngSkip = 0);

// The runs of plain characters (between "*", "?", "#" and groups) that any
// text matching strPattern contains, in pattern order. Raises error 93 for a
// pattern Like rejects.
std::vector<std::wstring> LikeLiteralRuns(std::wstring_view strPattern);

}  // namespace base
