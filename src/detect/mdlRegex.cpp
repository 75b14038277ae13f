#include "detect/mdlRegex.h"

#include <algorithm>
#include <iterator>
#include <locale>
#include <optional>
#include <stdexcept>

#include <boost/regex.hpp>

#include "base/Text.h"
#include "base/VbError.h"
#include "detect/mdlWideBlocks.h"

namespace mdlRegex {

namespace {

constexpr int32_t kErrRegexSyntax = 5017;

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

// Charges one unit of the work left to an evaluation. Boost bounds each
// search on its own, but a pattern that matches often starts a fresh search
// after every match, so only a budget shared by all searches bounds the whole.
void Spend(uint64_t& lngRemaining) {
    if (lngRemaining == 0) throw boost::regex_error(boost::regex_constants::error_complexity);
    --lngRemaining;
}

// A pointer into the text that charges the budget for every character the
// engine reads or steps over. Random access, so Boost keeps its fast paths.
class CountingIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = wchar_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const wchar_t*;
    using reference = const wchar_t&;

    CountingIterator() = default;
    CountingIterator(const wchar_t* at, uint64_t* remaining) : mAt(at), mRemaining(remaining) {}

    reference operator*() const {
        Spend(*mRemaining);
        return *mAt;
    }
    reference operator[](difference_type n) const { return *(*this + n); }
    CountingIterator& operator++() {
        Spend(*mRemaining);
        ++mAt;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator old = *this;
        ++*this;
        return old;
    }
    CountingIterator& operator--() {
        Spend(*mRemaining);
        --mAt;
        return *this;
    }
    CountingIterator operator--(int) {
        CountingIterator old = *this;
        --*this;
        return old;
    }
    CountingIterator& operator+=(difference_type n) {
        mAt += n;
        return *this;
    }
    CountingIterator& operator-=(difference_type n) {
        mAt -= n;
        return *this;
    }
    friend CountingIterator operator+(CountingIterator it, difference_type n) { return it += n; }
    friend difference_type operator-(const CountingIterator& a, const CountingIterator& b) { return a.mAt - b.mAt; }
    friend bool operator==(const CountingIterator& a, const CountingIterator& b) { return a.mAt == b.mAt; }

    const wchar_t* Get() const { return mAt; }

private:
    const wchar_t* mAt = nullptr;
    uint64_t* mRemaining = nullptr;
};
using CountingRegexIterator = boost::regex_iterator<CountingIterator, wchar_t, FoldingTraits>;

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

namespace {

// Compiled as the scan runs it; raises error 5017 when the engine rejects it.
Regex CompileRegex(std::wstring_view strPattern) {
    Regex re;
    try {
        Assign(re, TranslatePattern(strPattern));
    } catch (const boost::regex_error&) {
        base::Raise(kErrRegexSyntax, {}, L"Syntax error in regular expression");
    }
    return re;
}

}  // namespace

bool TryCompileRegex(std::wstring_view strPattern, std::wstring& strMessage, size_t& lngColumn) {
    Regex re;
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

namespace {

constexpr size_t npos = std::wstring_view::npos;

bool IsAsciiAlnum(wchar_t ch) {
    return (ch >= L'0' && ch <= L'9') || (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z');
}

bool IsOneOf(wchar_t ch, std::wstring_view strSet) { return strSet.find(ch) != npos; }

// Constructs after which literals no longer read as written or a match may
// end early: inline options and comments "(?x)", verbs "(*ACCEPT)", quoting
// "\Q...\E". Looked for everywhere, inside classes too, to stay simple.
bool HasUnreadable(std::wstring_view strPattern) {
    for (size_t i = 0; i + 1 < strPattern.size(); ++i) {
        const wchar_t next = strPattern[i + 1];
        if (strPattern[i] == L'\\') {
            if (next == L'Q') return true;
            ++i;
        } else if (strPattern[i] == L'(') {
            if (next == L'*') return true;
            const wchar_t after = i + 2 < strPattern.size() ? strPattern[i + 2] : L'\0';
            if (next == L'?' && !IsOneOf(after, L":=!<")) return true;
        }
    }
    return false;
}

// One past the "]" that closes the class opening at i, or npos.
size_t ClassEnd(std::wstring_view strPattern, size_t i) {
    size_t j = i + 1;
    if (j < strPattern.size() && strPattern[j] == L'^') ++j;
    if (j < strPattern.size() && strPattern[j] == L']') ++j;  // a "]" first is a member
    while (j < strPattern.size()) {
        const wchar_t ch = strPattern[j];
        if (ch == L']') return j + 1;
        if (ch == L'\\') {
            j += 2;
        } else if (ch == L'[' && j + 1 < strPattern.size() && IsOneOf(strPattern[j + 1], L":=.")) {
            const wchar_t close[] = {strPattern[j + 1], L']', L'\0'};
            const size_t end = strPattern.find(close, j + 2);
            if (end == npos) return npos;
            j = end + 2;
        } else {
            ++j;
        }
    }
    return npos;
}

// One past the ")" that closes the group opening at i, or npos.
size_t GroupEnd(std::wstring_view strPattern, size_t i) {
    size_t depth = 0;
    for (size_t j = i; j < strPattern.size();) {
        const wchar_t ch = strPattern[j];
        if (ch == L'\\') {
            j += 2;
            continue;
        }
        if (ch == L'[') {
            j = ClassEnd(strPattern, j);
            if (j == npos) return npos;
            continue;
        }
        if (ch == L'(') ++depth;
        if (ch == L')' && --depth == 0) return j + 1;
        ++j;
    }
    return npos;
}

// One past the escape at i, or npos. A letter or digit names something
// else than itself, and some take what follows as their argument (\x41,
// \u00E1, \pL, \k<name>, \12); any other escaped character is itself,
// except the word and text edges \< \> \` \'.
size_t EscapeEnd(std::wstring_view strPattern, size_t i, std::optional<wchar_t>& chLiteral) {
    if (i + 1 >= strPattern.size()) return npos;
    const wchar_t ch = strPattern[i + 1];
    size_t j = i + 2;
    if (!IsAsciiAlnum(ch)) {
        if (!IsOneOf(ch, L"<>`'")) chLiteral = ch;
        return j;
    }
    if (ch == L'c') return j < strPattern.size() ? j + 1 : npos;
    if (IsOneOf(ch, L"xupPNkgo")) {
        if (j < strPattern.size() && IsOneOf(strPattern[j], L"{<'")) {
            const wchar_t close = strPattern[j] == L'{' ? L'}' : strPattern[j] == L'<' ? L'>' : L'\'';
            const size_t end = strPattern.find(close, j + 1);
            return end == npos ? npos : end + 1;
        }
        while (j < strPattern.size() && (IsAsciiAlnum(strPattern[j]) || strPattern[j] == L'-')) ++j;
    } else if (ch >= L'0' && ch <= L'9') {
        while (j < strPattern.size() && strPattern[j] >= L'0' && strPattern[j] <= L'9') ++j;
    }
    return j;
}

enum class Repeat : uint8_t { Once, Optional, OnceOrMore };

// Reads the quantifier at j, if any, with its lazy or possessive mark.
// Returns where it ends, npos for a "{" without "}".
size_t QuantifierEnd(std::wstring_view strPattern, size_t j, Repeat& eRepeat) {
    eRepeat = Repeat::Once;
    if (j >= strPattern.size()) return j;
    switch (strPattern[j]) {
        case L'*':
        case L'?':
            eRepeat = Repeat::Optional;
            ++j;
            break;
        case L'+':
            eRepeat = Repeat::OnceOrMore;
            ++j;
            break;
        case L'{':
            // Also a "{" the engine takes literally ("a{x}"): dropping the
            // atom only loses a run.
            j = strPattern.find(L'}', j);
            if (j == npos) return npos;
            eRepeat = Repeat::Optional;
            ++j;
            break;
        default:
            return j;
    }
    if (j < strPattern.size() && (strPattern[j] == L'?' || strPattern[j] == L'+')) ++j;
    return j;
}

}  // namespace

namespace {

std::vector<std::wstring> ReadRuns(std::wstring_view strPattern, bool& blnLeading) {
    if (HasUnreadable(strPattern)) return {};
    std::vector<std::wstring> runs;
    std::wstring run;
    bool blnOnlyAnchors = true;
    const auto endRun = [&] {
        if (!run.empty()) runs.push_back(std::move(run));
        run.clear();
    };
    for (size_t i = 0; i < strPattern.size();) {
        const wchar_t ch = strPattern[i];
        std::optional<wchar_t> chLiteral;
        size_t next = i + 1;
        switch (ch) {
            case L'|':
            case L')':
                return {};
            case L'(':
                next = GroupEnd(strPattern, i);
                break;
            case L'[':
                next = ClassEnd(strPattern, i);
                break;
            case L'{':
                next = strPattern.find(L'}', i);
                if (next != npos) ++next;
                break;
            case L'\\':
                next = EscapeEnd(strPattern, i, chLiteral);
                break;
            case L'.':
            case L'^':
            case L'$':
            case L'*':
            case L'+':
            case L'?':
                break;
            default:
                chLiteral = ch;
        }
        if (next == npos) return {};
        const bool blnAnchor = ch == L'^' || (ch == L'\\' && next == i + 2 && IsOneOf(strPattern[i + 1], L"bB"));
        Repeat eRepeat = Repeat::Once;
        i = QuantifierEnd(strPattern, next, eRepeat);
        if (i == npos) return {};
        if (chLiteral && eRepeat != Repeat::Optional) {
            if (runs.empty() && run.empty()) blnLeading = blnOnlyAnchors;
            run += *chLiteral;
        }
        if (!blnAnchor || eRepeat != Repeat::Once) blnOnlyAnchors = false;
        if (!chLiteral || eRepeat != Repeat::Once) endRun();
    }
    endRun();
    return runs;
}

}  // namespace

std::vector<std::wstring> RequiredRuns(std::wstring_view strPattern, bool* pblnLeading) {
    bool blnLeading = false;
    std::vector<std::wstring> runs = ReadRuns(strPattern, blnLeading);
    // "\G" looks at where the search began, which a search started at the
    // run would move.
    if (pblnLeading != nullptr) *pblnLeading = blnLeading && !runs.empty() && strPattern.find(L"\\G") == npos;
    return runs;
}

void Validate(std::wstring_view strPattern) { CompileRegex(strPattern); }

// After this many tries at the run's places, when they came on average
// closer than kDenseGap characters apart, the engine searches on its own.
constexpr size_t kDenseTries = 256;
constexpr size_t kDenseGap = 8;

uint64_t DefaultBudget(size_t lngChars) {
    // A floor for short lists, where a quadratic pattern costs little, plus a
    // share per character for long ones.
    constexpr uint64_t kFloor = 4'000'000;
    constexpr uint64_t kPerChar = 24;
    return kFloor + kPerChar * static_cast<uint64_t>(lngChars);
}

namespace {

// Finds a literal run, letters compared as the engine compares them
// (LowerChar on both sides). Where few characters can begin and end the
// run, blocks of text are compared with them first.
class RunFinder {
public:
    explicit RunFinder(std::wstring_view strRun) : mRun(base::LCase(strRun)) {
        mFirst = Variants(mRun.front());
        mLast = Variants(mRun.back());
    }

    // The first place from lngFrom on where the run occurs, or npos.
    size_t Find(std::wstring_view strText, size_t lngFrom) const {
        const size_t m = mRun.size();
        const size_t n = strText.size();
        if (m > n || lngFrom > n - m || mFirst.empty() || mLast.empty()) return npos;
        const wchar_t* const text = strText.data();
        size_t i = lngFrom;
#if defined(__SSE2__)
        using namespace mdlWideBlocks;
        constexpr unsigned kLaneBits = (1U << sizeof(wchar_t)) - 1;
        if (Folds(mFirst) && Folds(mLast)) {
            // One compare a side: the characters a side may hold differ
            // from each other in one bit at most, set before comparing.
            const __m128i firstFold = Broadcast(Fold(mFirst));
            const __m128i firstKey = Broadcast(static_cast<wchar_t>(mFirst.front() | Fold(mFirst)));
            const __m128i lastFold = Broadcast(Fold(mLast));
            const __m128i lastKey = Broadcast(static_cast<wchar_t>(mLast.front() | Fold(mLast)));
            const auto hits = [&](size_t at) {
                const __m128i hit = _mm_and_si128(Equal(_mm_or_si128(Load(text + at), firstFold), firstKey),
                                                  Equal(_mm_or_si128(Load(text + at + m - 1), lastFold), lastKey));
                return static_cast<unsigned>(_mm_movemask_epi8(hit));
            };
            // Two blocks a step, as the places are rare.
            for (; i + m - 1 + 2 * kLanes <= n; i += 2 * kLanes) {
                auto mask = hits(i) | (hits(i + kLanes) << sizeof(__m128i));
                while (mask != 0) {
                    const size_t lane = static_cast<size_t>(__builtin_ctz(mask)) / sizeof(wchar_t);
                    if (At(text + i + lane)) return i + lane;
                    mask &= ~(kLaneBits << (lane * sizeof(wchar_t)));
                }
            }
        } else if (mFirst.size() <= kMaxKeys && mLast.size() <= kMaxKeys) {
            __m128i first[kMaxKeys];
            __m128i last[kMaxKeys];
            for (size_t k = 0; k < kMaxKeys; ++k) {
                first[k] = Broadcast(mFirst[std::min(k, mFirst.size() - 1)]);
                last[k] = Broadcast(mLast[std::min(k, mLast.size() - 1)]);
            }
            for (; i + m - 1 + kLanes <= n; i += kLanes) {
                const __m128i hit = _mm_and_si128(AnyOf<kMaxKeys>(text + i, first), AnyOf<kMaxKeys>(text + i + m - 1, last));
                for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit)); mask != 0;) {
                    const size_t lane = static_cast<size_t>(__builtin_ctz(mask)) / sizeof(wchar_t);
                    if (At(text + i + lane)) return i + lane;
                    mask &= ~(kLaneBits << (lane * sizeof(wchar_t)));
                }
            }
        }
#endif
        for (; i + m <= n; ++i) {
            if (At(text + i)) return i;
        }
        return npos;
    }

private:
    bool At(const wchar_t* at) const {
        for (size_t k = 0; k < mRun.size(); ++k) {
            if (base::LowerChar(at[k]) != mRun[k]) return false;
        }
        return true;
    }

    // Every character that LowerChar turns into ch (ch is already lowered).
    static std::vector<wchar_t> Variants(wchar_t ch) {
        std::vector<wchar_t> result;
        if (static_cast<uint32_t>(ch) >= base::kCaseMappedEnd) result.push_back(ch);
        for (uint32_t c = 0; c < base::kCaseMappedEnd; ++c) {
            if (base::LowerChar(static_cast<wchar_t>(c)) == ch) result.push_back(static_cast<wchar_t>(c));
        }
        return result;
    }

#if defined(__SSE2__)
    static constexpr size_t kMaxKeys = 4;

    // The bits in which the characters differ from the first of them.
    static wchar_t Fold(const std::vector<wchar_t>& chars) {
        wchar_t bits = 0;
        for (const wchar_t ch : chars) bits |= ch ^ chars.front();
        return bits;
    }

    static bool Folds(const std::vector<wchar_t>& chars) {
        const auto bits = static_cast<uint32_t>(Fold(chars));
        return (bits & (bits - 1)) == 0;
    }
#endif

    std::wstring mRun;
    std::vector<wchar_t> mFirst;
    std::vector<wchar_t> mLast;
};

}  // namespace

void Execute(std::wstring_view strPattern, std::wstring_view strText, std::vector<Match>& colMatches,
             uint64_t lngBudget, const RunPlaces& objPlaces) {
    const Regex re = CompileRegex(strPattern);
    uint64_t lngRemaining = lngBudget;
    const wchar_t* const first = strText.data();
    const CountingIterator begin(first, &lngRemaining);
    const CountingIterator end(first + strText.size(), &lngRemaining);
    bool blnLeading = false;
    const std::vector<std::wstring> runs = RequiredRuns(strPattern, &blnLeading);
    if (blnLeading) {
        // Every match starts with the run, so the engine is tried only where
        // the run occurs, anchored there and seeing the text before it (the
        // last argument), as the search the iterator runs would see it. The
        // run is not empty, so neither is a match, and the next one starts
        // at or after its end.
        std::optional<RunFinder> finder;
        const std::vector<size_t> none;
        const std::vector<size_t>& known = objPlaces.places != nullptr ? *objPlaces.places : none;
        size_t lngKnown = 0;
        // The first place from lngFrom on: from the list given while it
        // lasts, then searched for, unless the list was complete.
        const auto next = [&](size_t lngFrom) {
            while (lngKnown < known.size() && known[lngKnown] < lngFrom) ++lngKnown;
            if (lngKnown < known.size()) return known[lngKnown];
            if (objPlaces.complete) return npos;
            if (!known.empty()) lngFrom = std::max(lngFrom, known.back() + 1);
            if (!finder) finder.emplace(runs.front());
            return finder->Find(strText, lngFrom);
        };
        boost::match_results<CountingIterator> what;
        const auto flags = boost::match_default | boost::match_not_dot_newline;
        const auto add = [&] {
            const size_t offset = static_cast<size_t>(what[0].first.Get() - first);
            colMatches.push_back({offset, static_cast<size_t>(what[0].length())});
            return offset + colMatches.back().length;
        };
        size_t lngTried = 0;
        const size_t lngFirst = next(0);
        for (size_t at = lngFirst; at != npos;) {
            // Where the run is very common one search costs less than an
            // attempt at each place; no match starts between the last one's
            // end and here, so the search may start here.
            if (++lngTried >= kDenseTries && at - lngFirst < lngTried * kDenseGap) {
                while (boost::regex_search(begin + static_cast<std::ptrdiff_t>(at), end, what, re, flags, begin)) {
                    at = add();
                }
                return;
            }
            const CountingIterator from = begin + static_cast<std::ptrdiff_t>(at);
            if (boost::regex_search(from, end, what, re, flags | boost::match_continuous, begin)) {
                at = next(add());
            } else {
                at = next(at + 1);
            }
        }
        return;
    }
    for (CountingRegexIterator it(begin, end, re, boost::match_default | boost::match_not_dot_newline), last;
         it != last; ++it) {
        const auto& whole = (*it)[0];
        colMatches.push_back({static_cast<size_t>(whole.first.Get() - first), static_cast<size_t>(whole.length())});
    }
}

}  // namespace mdlRegex
