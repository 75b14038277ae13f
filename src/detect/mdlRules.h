#pragma once
// What the engine understands in a track: its classes and operators, how a
// testing value is prepared, and whether a pattern is one the scan can run.
// The scan and the knowledge-base checks both use these, so an author is
// told exactly what a check would do.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mdlRules {

// The classes the gathering knows, in the order it tests them; any other
// class gathers an empty list.
const std::vector<std::wstring_view>& KnownClasses();
// The operators the scan evaluates; any other shows a message box.
const std::vector<std::wstring_view>& KnownOperators();
// Exact comparison: classes and operators are stored upper-cased.
bool IsKnownClass(std::wstring_view strClass);
bool IsKnownOperator(std::wstring_view strOperator);

// The testing value as the operators see it: every "%crlf%" is a line end.
std::wstring ReplaceCrLf(std::wstring_view strText);

struct PatternProblem {
    std::wstring Message;
    size_t Column = 0;  // 1-based, in the pattern as written
};
// Why the REGEXP engine rejects strPattern, or nothing when it compiles.
std::optional<PatternProblem> RegexProblem(std::wstring_view strPattern);
// True when LIKE can run with this testing value (as stored in the track);
// false for an unclosed "[" or a descending range, which stop the scan.
bool IsValidLikePattern(std::wstring_view strTestingValue);

}  // namespace mdlRules
