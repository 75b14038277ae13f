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
// Long texts are walked as parts of at least this many characters.
constexpr size_t kMinPartChars = size_t{1} << 13;
// How far ahead of the block search the text is asked for.
constexpr size_t kPrefetchChars = 512;
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
using mdlWideBlocks::AnyOfNarrow;
using mdlWideBlocks::BroadcastNarrow;
using mdlWideBlocks::kNarrowLanes;

// Steps a block at a time over characters that cannot start a needle: a
// start key there and, when lngShift > 0, a later key lngShift on. Stops at
// the first place that may (or a character read as a key), or where too
// few characters are left for a whole block.
template <size_t K>
size_t FindBlock(const wchar_t* text, size_t i, size_t n, size_t lngShift, const __m128i* first,
                 const __m128i* later) {
    const auto hits = [&](size_t at) {
        __m128i hit = AnyOfNarrow<K>(text + at, first);
        if (lngShift != 0) hit = _mm_and_si128(hit, AnyOfNarrow<K>(text + at + lngShift, later));
        return static_cast<unsigned>(_mm_movemask_epi8(hit));
    };
    // Two blocks a step, the text asked for well ahead: a long list comes
    // from memory, and the processor alone fetches it too late.
    for (; i + lngShift + 2 * kNarrowLanes <= n; i += 2 * kNarrowLanes) {
        if (i + kPrefetchChars < n) _mm_prefetch(reinterpret_cast<const char*>(text + i + kPrefetchChars), _MM_HINT_T0);
        const unsigned mask = hits(i) | (hits(i + kNarrowLanes) << 16);
        if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(mask)) / 2;
    }
    for (; i + lngShift + kNarrowLanes <= n; i += kNarrowLanes) {
        const unsigned mask = hits(i);
        if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(mask)) / 2;
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
    for (const Needle& needle : mcolNeedles) {
        for (const wchar_t ch : needle.text) {
            const uint32_t c = Code(base::CaselessChar(ch));
            uint32_t& symbol = c < kDirectSymbols ? mSymbols[c] : mBigSymbols[c];
            if (symbol == 0) symbol = mlngSymbolCount++;
        }
    }
    for (uint32_t c = 0; c < base::kCaseMappedEnd; ++c) {
        const uint32_t set = Code(base::CaselessChar(static_cast<wchar_t>(c)));
        if (set != c) mSymbols[c] = mSymbols[set];
    }

    // The trie, built from the needles in the order of their symbols: each
    // shares its prefix with the one before, so its new nodes hang off the
    // path just walked, and every node's children come in symbol order.
    std::vector<std::basic_string<uint32_t>> keys(mcolNeedles.size());
    std::vector<uint32_t> sorted;
    for (size_t i = 0; i < mcolNeedles.size(); ++i) {
        for (const wchar_t ch : mcolNeedles[i].text) keys[i] += Symbol(ch);
        if (!keys[i].empty()) sorted.push_back(static_cast<uint32_t>(i));
    }
    std::stable_sort(sorted.begin(), sorted.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    std::vector<uint32_t> parent(1, 0);
    std::vector<uint32_t> symbolOf(1, 0);
    std::vector<uint32_t> endNode(mcolNeedles.size(), kNone);
    std::vector<uint32_t> path(1, 0);
    const std::basic_string<uint32_t>* before = nullptr;
    for (const uint32_t i : sorted) {
        const std::basic_string<uint32_t>& key = keys[i];
        const size_t shared =
            before == nullptr ? 0
                              : static_cast<size_t>(
                                    std::mismatch(key.begin(), key.end(), before->begin(), before->end()).first -
                                    key.begin());
        path.resize(shared + 1);
        for (size_t d = shared; d < key.size(); ++d) {
            parent.push_back(path[d]);
            symbolOf.push_back(key[d]);
            path.push_back(static_cast<uint32_t>(parent.size() - 1));
        }
        endNode[i] = path[key.size()];
        before = &key;
    }
    // Child and needle tables by node, by counting: the order within a node
    // stays that of creation (symbol order) and of the needles' indexes.
    const size_t nodes = parent.size();
    const auto table = [nodes](std::vector<uint32_t>& start, size_t count, const auto& ownerOf) {
        start.assign(nodes + 1, 0);
        for (size_t k = 0; k < count; ++k) {
            if (ownerOf(k) != kNone) ++start[ownerOf(k) + 1];
        }
        for (size_t n = 0; n < nodes; ++n) start[n + 1] += start[n];
        std::vector<uint32_t> place(start.begin(), start.end() - 1);
        std::vector<uint32_t> order(start[nodes]);
        for (size_t k = 0; k < count; ++k) {
            if (ownerOf(k) != kNone) order[place[ownerOf(k)]++] = static_cast<uint32_t>(k);
        }
        return order;
    };
    mChildNode = table(mChildStart, nodes, [&](size_t n) { return n == 0 ? kNone : parent[n]; });
    mChildSymbol.resize(mChildNode.size());
    for (size_t e = 0; e < mChildNode.size(); ++e) mChildSymbol[e] = symbolOf[mChildNode[e]];
    mOutNeedle = table(mOutStart, mcolNeedles.size(), [&](size_t i) { return endNode[i]; });
    std::vector<uint8_t> firstSymbols(mlngSymbolCount, 0);
    for (uint32_t e = mChildStart[0]; e < mChildStart[1]; ++e) firstSymbols[mChildSymbol[e]] = 1;
    size_t shortest = 0;
    mlngLongest = 0;
    for (const Needle& needle : mcolNeedles) {
        mlngLongest = std::max(mlngLongest, needle.text.size());
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
uint32_t clsNeedleTable::Pending(Stream& objStream, uint32_t lngNode) {
    uint32_t node = lngNode;
    while (node != kNone && objStream.count[node] == 0) node = objStream.next[node];
    for (uint32_t walk = lngNode; walk != kNone && walk != node;) {
        const uint32_t next = objStream.next[walk];
        objStream.next[walk] = node;
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
            first[k] = BroadcastNarrow(mStartChars[k % mStartChars.size()]);
            if (!mLaterChars.empty()) later[k] = BroadcastNarrow(mLaterChars[k % mLaterChars.size()]);
        }
        // A lane may match a character that is not a key (see
        // LoadNarrow): such a place is stepped over and the search goes on.
        for (;; ++i) {
            if (count <= 2) i = FindBlock<2>(text, i, n, mlngLaterShift, first, later);
            else if (count <= 4) i = FindBlock<4>(text, i, n, mlngLaterShift, first, later);
            else i = FindBlock<kMaxStartChars>(text, i, n, mlngLaterShift, first, later);
            if (i + mlngLaterShift + kNarrowLanes > n || Starts(text[i])) break;
        }
    }
#endif
    const uint8_t* const starts = mStarts.data();
    for (; i < n; ++i) {
        const uint32_t c = Code(text[i]);
        if (c < kDirectSymbols ? starts[c] != 0 : Starts(text[i])) break;
    }
    return i;
}

void clsNeedleTable::Start(Stream& objStream, size_t lngFrom, size_t lngTo, size_t lngKeep) {
    const size_t nodes = mFail.size();
    objStream.at = lngFrom;
    objStream.to = lngTo;
    objStream.keep = lngKeep;
    objStream.pending = 0;
    objStream.count.resize(nodes);
    objStream.next.resize(nodes);
    objStream.quiet.resize(nodes);
    for (size_t n = 0; n < nodes; ++n) {
        objStream.count[n] = mOutStart[n + 1] - mOutStart[n];
        objStream.pending += objStream.count[n];
        objStream.next[n] = mDict[n];
        objStream.quiet[n] = objStream.count[n] == 0 && mDict[n] == kNone ? 1 : 0;
    }
    objStream.hits.assign(mcolNeedles.size(), Hit{});
}

void clsNeedleTable::Search(std::wstring_view strText) {
    if (!mblnBuilt) Build();
    for (Needle& needle : mcolNeedles) {
        needle.first = needle.text.empty() ? 0 : npos;
        needle.places.clear();
        needle.recorded = needle.every && !needle.text.empty();
    }
    // Each step waits for the table look-up of the step before; walks over
    // parts of a long text, stepped in turn, overlap those waits. Each part
    // starts early enough to see whole every needle that ends in it. Where
    // blocks of text can be stepped over, one walk does that better.
    const size_t n = strText.size();
    const bool split = n >= kParts * kMinPartChars && mlngLongest <= n / (4 * kParts) && !mblnFewStarts;
    const size_t parts = split ? kParts : 1;
    mStreams.resize(parts);
    for (size_t k = 0; k < parts; ++k) {
        const size_t from = n * k / parts;
        const size_t lead = k == 0 ? 0 : std::max<size_t>(mlngLongest, 1) - 1;
        Start(mStreams[k], from - lead, n * (k + 1) / parts, from);
    }

    const size_t shift = mlngRowShift;
    if (!mDelta16.empty()) {
        const uint16_t* const delta = mDelta16.data();
        Walk(strText, [=](uint32_t state, uint32_t symbol) { return delta[(size_t{state} << shift) + symbol]; });
    } else if (!mDelta.empty()) {
        const uint32_t* const delta = mDelta.data();
        Walk(strText, [=](uint32_t state, uint32_t symbol) { return delta[(size_t{state} << shift) + symbol]; });
    } else {
        Walk(strText, [this](uint32_t state, uint32_t symbol) { return Next(state, symbol); });
    }

    // The parts' places in order.
    for (size_t k = 0; k < mcolNeedles.size(); ++k) {
        Needle& needle = mcolNeedles[k];
        for (Stream& stream : mStreams) {
            Hit& hit = stream.hits[k];
            if (needle.first == npos) needle.first = hit.first;
            const size_t room = kMaxPlaces - needle.places.size();
            needle.places.insert(needle.places.end(), hit.places.begin(),
                                 hit.places.begin() + static_cast<std::ptrdiff_t>(std::min(room, hit.places.size())));
        }
    }
}

template <typename Step>
void clsNeedleTable::Walk(std::wstring_view strText, Step step) {
    if (mStreams.size() != kParts) {
        Run(mStreams.front(), strText, step, 0);
        return;
    }
    // The parts a character each in turn while all need more; then each
    // goes on alone from the state it reached. (Plain variables, not arrays:
    // the states must stay in registers.)
    const wchar_t* const text = strText.data();
    const uint32_t* const symbols = mSymbols.data();
    const auto advance = [&](Stream& stream, uint32_t& state, size_t& at) {
        const uint32_t c = Code(text[at]);
        state = step(state, c < kDirectSymbols ? symbols[c] : Symbol(text[at]));
        if (stream.quiet[state] == 0 && at >= stream.keep) Found(stream, state, at, strText);
        ++at;
    };
    const auto more = [](const Stream& stream, size_t at) { return at < stream.to && stream.pending != 0; };
    Stream& one = mStreams[0];
    Stream& two = mStreams[1];
    Stream& three = mStreams[2];
    Stream& four = mStreams[3];
    uint32_t p = 0, q = 0, r = 0, s = 0;
    size_t i = one.at, j = two.at, k = three.at, l = four.at;
    while (more(one, i) && more(two, j) && more(three, k) && more(four, l)) {
        advance(one, p, i);
        advance(two, q, j);
        advance(three, r, k);
        advance(four, s, l);
    }
    one.at = i;
    two.at = j;
    three.at = k;
    four.at = l;
    Run(one, strText, step, p);
    Run(two, strText, step, q);
    Run(three, strText, step, r);
    Run(four, strText, step, s);
}

template <typename Step>
void clsNeedleTable::Run(Stream& objStream, std::wstring_view strText, Step step, uint32_t lngState) {
    uint32_t state = lngState;
    const std::wstring_view text = strText.substr(0, objStream.to);
    const uint32_t* const symbols = mSymbols.data();
    const uint8_t* const quiet = objStream.quiet.data();
    for (size_t i = objStream.at; i < text.size() && objStream.pending != 0; ++i) {
        // At the root most characters start no needle: step over them.
        if (state == 0) {
            i = SkipToStart(text, i);
            if (i == text.size()) break;
        }
        const uint32_t c = Code(text[i]);
        state = step(state, c < kDirectSymbols ? symbols[c] : Symbol(text[i]));
        if (quiet[state] == 0 && i >= objStream.keep) Found(objStream, state, i, strText);
    }
}

void clsNeedleTable::Found(Stream& objStream, uint32_t lngState, size_t lngEnd, std::wstring_view strText) {
    uint32_t node = Pending(objStream, lngState);
    if (node == kNone) objStream.quiet[lngState] = 1;
    for (; node != kNone; node = Pending(objStream, mDict[node])) {
        for (uint32_t o = mOutStart[node]; o < mOutStart[node + 1]; ++o) {
            const uint32_t k = mOutNeedle[o];
            const Needle& needle = mcolNeedles[k];
            Hit& hit = objStream.hits[k];
            if (hit.done || (needle.verify && !Verify(needle, strText, lngEnd))) continue;
            const size_t at = lngEnd + 1 - needle.text.size();
            if (hit.first == npos) hit.first = at;
            if (needle.recorded) {
                hit.places.push_back(at);
                if (hit.places.size() < kMaxPlaces) continue;
            }
            hit.done = true;
            --objStream.count[node];
            --objStream.pending;
            // What a part settles, the parts after it need not look for.
            for (auto later = mStreams.begin() + (&objStream - mStreams.data()) + 1; later != mStreams.end(); ++later) {
                if (later->hits[k].done) continue;
                later->hits[k].done = true;
                --later->count[node];
                --later->pending;
            }
        }
    }
}
