#include "detect/mdlRules.h"

#include <algorithm>

#include "base/Like.h"
#include "base/Text.h"
#include "base/VbError.h"
#include "detect/mdlRegex.h"

namespace mdlRules {

const std::vector<std::wstring_view>& KnownClasses() {
    static const std::vector<std::wstring_view> classes = {
        L"DUN", L"LOADLIBRARY", L"PROGRAMFILES", L"PROCESS", L"REGISTRY", L"SERVICE", L"STARTMENU", L"DOWNLOADFILE"};
    return classes;
}

const std::vector<std::wstring_view>& KnownOperators() {
    static const std::vector<std::wstring_view> operators = {L"=",    L"!=",    L"INSTR", L"!INSTR", L"REGEXP",
                                                             L"LIKE", L"!LIKE", L">",     L"<"};
    return operators;
}

bool IsKnownClass(std::wstring_view strClass) {
    const auto& classes = KnownClasses();
    return std::find(classes.begin(), classes.end(), strClass) != classes.end();
}

bool IsKnownOperator(std::wstring_view strOperator) {
    const auto& operators = KnownOperators();
    return std::find(operators.begin(), operators.end(), strOperator) != operators.end();
}

std::wstring ReplaceCrLf(std::wstring_view strText) {
    constexpr std::wstring_view kMarker = L"%crlf%";
    std::wstring result;
    result.reserve(strText.size());
    size_t from = 0;
    for (size_t at = strText.find(kMarker); at != std::wstring_view::npos; at = strText.find(kMarker, from)) {
        result.append(strText.substr(from, at - from));
        result.append(L"\r\n");
        from = at + kMarker.size();
    }
    result.append(strText.substr(from));
    return result;
}

std::optional<PatternProblem> RegexProblem(std::wstring_view strPattern) {
    PatternProblem problem;
    if (mdlRegex::TryCompileRegex(strPattern, problem.Message, problem.Column)) return std::nullopt;
    // The engine ends its messages with a full stop; they go inside a sentence here.
    while (!problem.Message.empty() && (problem.Message.back() == L'.' || problem.Message.back() == L' ')) {
        problem.Message.pop_back();
    }
    return problem;
}

// The pattern is read whole before any matching, so an empty text is
// enough to meet every error the scan could meet.
bool IsValidLikePattern(std::wstring_view strTestingValue) {
    try {
        base::Like(L"", base::LCase(ReplaceCrLf(strTestingValue)));
        return true;
    } catch (const base::VbError&) {
        return false;
    }
}

}  // namespace mdlRules
