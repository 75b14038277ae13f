#include "detect/clsNeedleTable.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "base/Text.h"
#include "detect/mdlWideBlocks.h"

namespace {

constexpr uint32_t kNone = UINT32_MAX;
constexpr uint32_t kDirectSymbols = 0x10000;
// Above this many cells (nodes x symbols) the automaton follows failure
// links instead of a full table, which would cost too much memory.
constexpr size_t kMaxDeltaCells = size_t{1} << 21;
// Up to this many nodes the table's cells take 16 bits: half the table
// stays in the processor's cache where the whole would not.
constexpr size_t kMaxNarrowNodes = size_t{1} << 16;
// Up to this many characters that start a needle are compared a block of
// text at a time; more cost as much as the table look-up per character.
constexpr size_t kMaxStartChars = 8;

constexpr uint32_t Code(wchar_t ch) noexcept {
    return static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(ch));
}

// Characters whose caseless set holds another character that the given
// compare tells apart from them.
struct LooseFolds {
    std::array<bool, base::kCaseMappedEnd> upper{};
    std::array<bool, base::kCaseMappedEnd> lower{};
};

const LooseFolds& Loose() {
    static const LooseFolds loose = [] {
        LooseFolds result;
        std::array<uint32_t, base::kCaseMappedEnd> firstUpper;
        std::array<uint32_t, base::kCaseMappedEnd> firstLower;
        firstUpper.fill(kNone);
        firstLower.fill(kNone);
        std::array<bool, base::kCaseMappedEnd> mixedUpper{};
        std::array<bool, base::kCaseMappedEnd> mixedLower{};
        for (uint32_t c = 0; c < base::kCaseMappedEnd; ++c) {
            const wchar_t ch = static_cast<wchar_t>(c);
            const uint32_t set = Code(base::CaselessChar(ch));
            const uint32_t up = Code(base::UpperChar(ch));
            const uint32_t low = Code(base::LowerChar(ch));
            if (firstUpper[set] == kNone) firstUpper[set] = up;
            else if (firstUpper[set] != up) mixedUpper[set] = true;
            if (firstLower[set] == kNone) firstLower[set] = low;
            else if (firstLower[set] != low) mixedLower[set] = true;
        }
        for (uint32_t c = 0; c < base::kCaseMappedEnd; ++c) {
            const uint32_t set = Code(base::CaselessChar(static_cast<wchar_t>(c)));
            result.upper[c] = mixedUpper[set];
            result.lower[c] = mixedLower[set];
        }
        return result;
    }();
    return loose;
}

std::wstring Key(std::wstring_view strNeedle, clsNeedleTable::Fold eFold) {
    std::wstring key(1, eFold == clsNeedleTable::UpperFold ? L'U' : L'L');
    key.append(strNeedle);
    return key;
}

#if defined(__SSE2__)
using mdlWideBlocks::AnyOf;
using mdlWideBlocks::Broadcast;
using mdlWideBlocks::kLanes;

// Steps a block at a time over characters that cannot start a needle: a
// start key there and, when lngShift > 0, a later key lngShift on. Stops at
// the first place that may, or where too few characters are left for a
// whole block.
template <size_t K>
size_t FindBlock(const wchar_t* text, size_t i, size_t n, size_t lngShift, const __m128i* first,
                 const __m128i* later) {
    for (; i + lngShift + kLanes <= n; i += kLanes) {
        __m128i hit = AnyOf<K>(text + i, first);
        if (lngShift != 0) hit = _mm_and_si128(hit, AnyOf<K>(text + i + lngShift, later));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(mask)) / sizeof(wchar_t);
    }
    return i;
}
#endif

}  // namespace

size_t clsNeedleTable::Add(std::wstring_view strNeedle, Fold eFold, bool blnEvery) {
    std::wstring key = Key(strNeedle, eFold);
    const auto found = mcolKeys.find(key);
    if (found != mcolKeys.end()) {
        mcolNeedles[found->second].every |= blnEvery;
        return found->second;
    }
    const LooseFolds& loose = Loose();
    bool verify = false;
    for (const wchar_t ch : strNeedle) {
        const uint32_t c = Code(ch);
        if (c < base::kCaseMappedEnd && (eFold == UpperFold ? loose.upper[c] : loose.lower[c])) verify = true;
    }
    Needle& needle = mcolNeedles.emplace_back();
    needle.text = strNeedle;
    needle.fold = eFold;
    needle.verify = verify;
    needle.every = blnEvery;
    mcolKeys.emplace(std::move(key), mcolNeedles.size() - 1);
    mblnBuilt = false;
    return mcolNeedles.size() - 1;
}

size_t clsNeedleTable::Index(std::wstring_view strNeedle, Fold eFold) const {
    const auto found = mcolKeys.find(Key(strNeedle, eFold));
    return found == mcolKeys.end() ? npos : found->second;
}

uint32_t clsNeedleTable::Symbol(wchar_t ch) const {
    const uint32_t c = Code(ch);
    if (c < kDirectSymbols) return mSymbols[c];
    const auto found = mBigSymbols.find(c);
    return found == mBigSymbols.end() ? 0 : found->second;
}

bool clsNeedleTable::Starts(wchar_t ch) const {
    const uint32_t c = Code(ch);
    if (c < kDirectSymbols) return mStarts[c] != 0;
    const uint32_t symbol = Symbol(ch);
    return symbol != 0 && Child(0, symbol) != kNone;
}

uint32_t clsNeedleTable::Child(uint32_t lngNode, uint32_t lngSymbol) const {
    const auto first = mChildSymbol.begin() + mChildStart[lngNode];
    const auto last = mChildSymbol.begin() + mChildStart[lngNode + 1];
    const auto found = std::lower_bound(first, last, lngSymbol);
    if (found == last || *found != lngSymbol) return kNone;
    return mChildNode[static_cast<size_t>(found - mChildSymbol.begin())];
}

uint32_t clsNeedleTable::Next(uint32_t lngState, uint32_t lngSymbol) const {
    for (;;) {
        const uint32_t child = Child(lngState, lngSymbol);
        if (child != kNone) return child;
        if (lngState == 0) return 0;
        lngState = mFail[lngState];
    }
}

void clsNeedleTable::Build() {
    // Alphabet of the folded needle characters. Every character of a set
    // gets the set's symbol, so the text is folded by the lookup itself.
    mSymbols.assign(kDirectSymbols, 0);
    mBigSymbols.clear();
    mlngSymbolCount = 1;
    std::unordered_map<uint32_t, uint32_t> folded;
    for (const Needle& needle : mcolNeedles) {
        for (const wchar_t ch : needle.text) {
            const uint32_t c = Code(base::CaselessChar(ch));
            if (folded.emplace(c, mlngSymbolCount).second) ++mlngSymbolCount;
        }
    }
    for (const auto& [c, symbol] : folded) {
        if (c < kDirectSymbols) mSymbols[c] = symbol;
        else mBigSymbols.emplace(c, symbol);
    }
    for (uint32_t c = 0; c < base::kCaseMappedEnd; ++c) {
        const uint32_t set = Code(base::CaselessChar(static_cast<wchar_t>(c)));
        if (set != c) mSymbols[c] = mSymbols[set];
    }

    // The trie, first as edge lists, then as sorted child tables.
    std::vector<std::vector<std::pair<uint32_t, uint32_t>>> edges(1);
    std::vector<std::vector<uint32_t>> ends(1);
    for (size_t i = 0; i < mcolNeedles.size(); ++i) {
        const std::wstring& text = mcolNeedles[i].text;
        if (text.empty()) continue;
        uint32_t node = 0;
        for (const wchar_t ch : text) {
            const uint32_t symbol = Symbol(ch);
            auto& out = edges[node];
            const auto found = std::find_if(out.begin(), out.end(), [&](const auto& e) { return e.first == symbol; });
            if (found != out.end()) {
                node = found->second;
                continue;
            }
            const auto child = static_cast<uint32_t>(edges.size());
            out.emplace_back(symbol, child);
            edges.emplace_back();
            ends.emplace_back();
            node = child;
        }
        ends[node].push_back(static_cast<uint32_t>(i));
    }
    const size_t nodes = edges.size();
    mChildStart.assign(nodes + 1, 0);
    mChildSymbol.clear();
    mChildNode.clear();
    mOutStart.assign(nodes + 1, 0);
    mOutNeedle.clear();
    for (size_t n = 0; n < nodes; ++n) {
        std::sort(edges[n].begin(), edges[n].end());
        mChildStart[n] = static_cast<uint32_t>(mChildSymbol.size());
        for (const auto& [symbol, child] : edges[n]) {
            mChildSymbol.push_back(symbol);
            mChildNode.push_back(child);
        }
        mOutStart[n] = static_cast<uint32_t>(mOutNeedle.size());
        mOutNeedle.insert(mOutNeedle.end(), ends[n].begin(), ends[n].end());
    }
    mChildStart[nodes] = static_cast<uint32_t>(mChildSymbol.size());
    std::vector<uint8_t> firstSymbols(mlngSymbolCount, 0);
    for (const auto& [symbol, child] : edges[0]) firstSymbols[symbol] = 1;
    mOutStart[nodes] = static_cast<uint32_t>(mOutNeedle.size());
    size_t shortest = 0;
    for (const Needle& needle : mcolNeedles) {
        if (!needle.text.empty() && (shortest == 0 || needle.text.size() < shortest)) shortest = needle.text.size();
    }
    std::vector<uint8_t> laterSymbols(mlngSymbolCount, 0);
    for (const Needle& needle : mcolNeedles) {
        if (shortest > 1 && !needle.text.empty()) laterSymbols[Symbol(needle.text[shortest - 1])] = 1;
    }
    mlngLaterShift = shortest > 1 ? shortest - 1 : 0;
    mStarts.assign(kDirectSymbols, 0);
    mStartChars.clear();
    mLaterChars.clear();
    const auto note = [](std::vector<wchar_t>& chars, uint32_t c) {
        if (chars.size() <= kMaxStartChars) chars.push_back(static_cast<wchar_t>(c));
    };
    for (uint32_t c = 0; c < kDirectSymbols; ++c) {
        const uint32_t symbol = mSymbols[c];
        if (symbol == 0) continue;
        mStarts[c] = firstSymbols[symbol];
        if (firstSymbols[symbol] != 0) note(mStartChars, c);
        if (laterSymbols[symbol] != 0) note(mLaterChars, c);
    }
    for (const auto& [c, symbol] : mBigSymbols) {
        if (firstSymbols[symbol] != 0) note(mStartChars, c);
        if (laterSymbols[symbol] != 0) note(mLaterChars, c);
    }
    if (mLaterChars.size() > kMaxStartChars) {
        mLaterChars.clear();
        mlngLaterShift = 0;
    }
    mblnFewStarts = !mStartChars.empty() && mStartChars.size() <= kMaxStartChars;

    // Failure and suffix-output links, breadth first so that a node's
    // failure target is done before the node.
    mFail.assign(nodes, 0);
    mDict.assign(nodes, kNone);
    mlngRowShift = 0;
    while ((uint32_t{1} << mlngRowShift) < mlngSymbolCount) ++mlngRowShift;
    const bool dense = (nodes << mlngRowShift) <= kMaxDeltaCells;
    mDelta.clear();
    mDelta16.clear();
    std::vector<uint32_t> order;
    order.reserve(nodes);
    order.push_back(0);
    for (size_t k = 0; k < order.size(); ++k) {
        const uint32_t u = order[k];
        for (uint32_t e = mChildStart[u]; e < mChildStart[u + 1]; ++e) {
            const uint32_t symbol = mChildSymbol[e];
            const uint32_t v = mChildNode[e];
            uint32_t target = 0;
            if (u != 0) {
                uint32_t f = mFail[u];
                for (;;) {
                    const uint32_t child = Child(f, symbol);
                    if (child != kNone) {
                        target = child;
                        break;
                    }
                    if (f == 0) break;
                    f = mFail[f];
                }
            }
            mFail[v] = target;
            mDict[v] = mOutStart[target] != mOutStart[target + 1] ? target : mDict[target];
            order.push_back(v);
        }
    }
    const auto fill = [&](auto& table) {
        using Cell = typename std::remove_reference_t<decltype(table)>::value_type;
        table.assign(nodes << mlngRowShift, 0);
        for (const uint32_t u : order) {
            Cell* row = &table[size_t{u} << mlngRowShift];
            if (u != 0) std::copy_n(&table[size_t{mFail[u]} << mlngRowShift], mlngSymbolCount, row);
            for (uint32_t e = mChildStart[u]; e < mChildStart[u + 1]; ++e) {
                row[mChildSymbol[e]] = static_cast<Cell>(mChildNode[e]);
            }
        }
    };
    if (dense && nodes <= kMaxNarrowNodes) fill(mDelta16);
    else if (dense) fill(mDelta);
    mblnBuilt = true;
}

// The first node from lngNode down its suffix-output chain that still has
// needles not found, shortening the chain as found nodes drop out.
uint32_t clsNeedleTable::Pending(uint32_t lngNode) {
    uint32_t node = lngNode;
    while (node != kNone && mPendingCount[node] == 0) node = mPendingNext[node];
    for (uint32_t walk = lngNode; walk != kNone && walk != node;) {
        const uint32_t next = mPendingNext[walk];
        mPendingNext[walk] = node;
        walk = next;
    }
    return node;
}

bool clsNeedleTable::Verify(const Needle& objNeedle, std::wstring_view strText, size_t lngEnd) const {
    const size_t start = lngEnd + 1 - objNeedle.text.size();
    for (size_t k = 0; k < objNeedle.text.size(); ++k) {
        const wchar_t a = strText[start + k];
        const wchar_t b = objNeedle.text[k];
        const bool same = objNeedle.fold == UpperFold ? base::UpperChar(a) == base::UpperChar(b)
                                                      : base::LowerChar(a) == base::LowerChar(b);
        if (!same) return false;
    }
    return true;
}

size_t clsNeedleTable::SkipToStart(std::wstring_view strText, size_t lngFrom) const {
    const size_t n = strText.size();
    const wchar_t* const text = strText.data();
    size_t i = lngFrom;
#if defined(__SSE2__)
    if (mblnFewStarts) {
        // Each key set is padded by repeating its members, so that a fixed
        // number of compares covers it.
        const size_t count = std::max(mStartChars.size(), mLaterChars.size());
        __m128i first[kMaxStartChars];
        __m128i later[kMaxStartChars] = {};
        for (size_t k = 0; k < count; ++k) {
            first[k] = Broadcast(mStartChars[k % mStartChars.size()]);
            if (!mLaterChars.empty()) later[k] = Broadcast(mLaterChars[k % mLaterChars.size()]);
        }
        if (count <= 2) i = FindBlock<2>(text, i, n, mlngLaterShift, first, later);
        else if (count <= 4) i = FindBlock<4>(text, i, n, mlngLaterShift, first, later);
        else i = FindBlock<kMaxStartChars>(text, i, n, mlngLaterShift, first, later);
    }
#endif
    const uint8_t* const starts = mStarts.data();
    for (; i < n; ++i) {
        const uint32_t c = Code(text[i]);
        if (c < kDirectSymbols ? starts[c] != 0 : Starts(text[i])) break;
    }
    return i;
}

void clsNeedleTable::Search(std::wstring_view strText) {
    if (!mblnBuilt) Build();
    const size_t nodes = mFail.size();
    mPendingCount.assign(nodes, 0);
    mPendingNext.assign(nodes, kNone);
    size_t pending = 0;
    for (Needle& needle : mcolNeedles) {
        needle.first = needle.text.empty() ? 0 : npos;
        needle.places.clear();
        needle.recorded = needle.every && !needle.text.empty();
        needle.done = needle.text.empty();
    }
    mQuiet.assign(nodes, 0);
    for (size_t n = 0; n < nodes; ++n) {
        mPendingCount[n] = mOutStart[n + 1] - mOutStart[n];
        pending += mPendingCount[n];
        mPendingNext[n] = mDict[n];
        mQuiet[n] = mPendingCount[n] == 0 && mDict[n] == kNone ? 1 : 0;
    }
    const size_t shift = mlngRowShift;
    if (!mDelta16.empty()) {
        const uint16_t* const delta = mDelta16.data();
        Walk(strText, pending, [=](uint32_t state, uint32_t symbol) { return delta[(size_t{state} << shift) + symbol]; });
    } else if (!mDelta.empty()) {
        const uint32_t* const delta = mDelta.data();
        Walk(strText, pending, [=](uint32_t state, uint32_t symbol) { return delta[(size_t{state} << shift) + symbol]; });
    } else {
        Walk(strText, pending, [this](uint32_t state, uint32_t symbol) { return Next(state, symbol); });
    }
}

template <typename Step>
void clsNeedleTable::Walk(std::wstring_view strText, size_t lngPending, Step step) {
    uint32_t state = 0;
    const size_t n = strText.size();
    const wchar_t* const text = strText.data();
    const uint32_t* const symbols = mSymbols.data();
    uint8_t* const quiet = mQuiet.data();
    for (size_t i = 0; i < n && lngPending != 0; ++i) {
        // At the root most characters start no needle: step over them.
        if (state == 0) {
            i = SkipToStart(strText, i);
            if (i == n) break;
        }
        const uint32_t c = Code(text[i]);
        state = step(state, c < kDirectSymbols ? symbols[c] : Symbol(text[i]));
        if (quiet[state] != 0) continue;
        uint32_t node = Pending(state);
        if (node == kNone) quiet[state] = 1;
        for (; node != kNone; node = Pending(mDict[node])) {
            for (uint32_t o = mOutStart[node]; o < mOutStart[node + 1]; ++o) {
                Needle& needle = mcolNeedles[mOutNeedle[o]];
                if (needle.done || (needle.verify && !Verify(needle, strText, i))) continue;
                const size_t at = i + 1 - needle.text.size();
                if (needle.first == npos) needle.first = at;
                if (needle.recorded) {
                    needle.places.push_back(at);
                    if (needle.places.size() < kMaxPlaces) continue;
                }
                needle.done = true;
                --mPendingCount[node];
                --lngPending;
            }
        }
    }
}
