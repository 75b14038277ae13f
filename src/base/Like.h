#pragma once
// The LIKE operator of the knowledge base: "?" any one character, "*" any
// run (line ends included), "#" one digit 0-9, "[...]" one character of the
// group ("[!...]" one not in it, "a-z" a range, "-" first or last itself).
// Characters compare by code. Matching backtracks only to the last "*", so
// any pattern runs in O(text x pattern) time and constant extra memory.

#include <string_view>

namespace base {

// True when the whole of strText matches the whole of strPattern. An unclosed
// "[" or a descending range raises error 93 "Invalid pattern string".
bool Like(std::wstring_view strText, std::wstring_view strPattern);

// The same with both sides lower-cased first (Czech letters included).
bool LikeText(std::wstring_view strText, std::wstring_view strPattern);

}  // namespace base
