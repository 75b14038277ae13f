#pragma once
// First positions (and, for needles that ask, every place) of many needles
// in one text, found in a single pass (an Aho-Corasick automaton over
// case-folded characters; a long text is walked as parts side by side). Each needle is
// compared as INSTR compares (UpperChar on both sides) or as LIKE sees its
// text (LowerChar on both sides); positions count the text's own characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class clsNeedleTable {
public:
    enum Fold : uint8_t { UpperFold, LowerFold };
    static constexpr size_t npos = static_cast<size_t>(-1);

    // Adds a needle; adding the same needle with the same fold again gives
    // the same index. Needles added after Search are found by the next Search.
    // blnEvery asks for the needle's places, not only its first one.
    size_t Add(std::wstring_view strNeedle, Fold eFold, bool blnEvery = false);
    // The index of a needle added before, or npos.
    size_t Index(std::wstring_view strNeedle, Fold eFold) const;
    size_t Count() const { return mcolNeedles.size(); }

    // One pass over strText; stops early once it has all it asks for.
    void Search(std::wstring_view strText);
    // 0-based position of the first occurrence found by the last Search, or
    // npos. An empty needle is found at 0, as std::wstring::find finds it.
    size_t FirstPosition(size_t lngIndex) const { return mcolNeedles[lngIndex].first; }
    // Where a needle added with blnEvery starts, in order: at most
    // kMaxPlaces of them, and every one when PlacesComplete. A needle not
    // searched that way has none and is not complete.
    static constexpr size_t kMaxPlaces = 1024;
    const std::vector<size_t>& Places(size_t lngIndex) const { return mcolNeedles[lngIndex].places; }
    bool PlacesComplete(size_t lngIndex) const {
        return mcolNeedles[lngIndex].recorded && mcolNeedles[lngIndex].places.size() < kMaxPlaces;
    }

private:
    struct Needle {
        std::wstring text;
        Fold fold;
        // Some character folds together with one the needle's own compare
        // keeps apart (i and İ), so a place found needs a second look.
        bool verify;
        bool every = false;
        size_t first = npos;
        std::vector<size_t> places;
        // Whether the last Search recorded its places.
        bool recorded = false;
    };
    // What one stream of a pass found of a needle; done: it needs nothing
    // more from the text.
    struct Hit {
        size_t first = npos;
        std::vector<size_t> places;
        bool done = false;
    };
    // A stream reads the characters [at, to) and keeps what it finds ending
    // at or after keep. Per node: how many needles are not found yet, a node
    // further down the suffix chain to look at next (found nodes are skipped
    // over as they drop out), whether nothing is left down the chain.
    struct Stream {
        size_t at = 0;
        size_t to = 0;
        size_t keep = 0;
        size_t pending = 0;
        std::vector<uint32_t> count;
        std::vector<uint32_t> next;
        std::vector<uint8_t> quiet;
        std::vector<Hit> hits;
    };

    void Build();
    uint32_t Symbol(wchar_t ch) const;
    // Whether a needle can start with ch.
    bool Starts(wchar_t ch) const;
    // The first character from lngFrom on that can start a needle, or the
    // text's end.
    size_t SkipToStart(std::wstring_view strText, size_t lngFrom) const;
    uint32_t Child(uint32_t lngNode, uint32_t lngSymbol) const;
    uint32_t Next(uint32_t lngState, uint32_t lngSymbol) const;
    void Start(Stream& objStream, size_t lngFrom, size_t lngTo, size_t lngKeep);
    uint32_t Pending(Stream& objStream, uint32_t lngNode);
    // The pass itself; step(state, symbol) gives the next state.
    template <typename Step>
    void Walk(std::wstring_view strText, Step step);
    template <typename Step>
    void Run(Stream& objStream, std::wstring_view strText, Step step, uint32_t lngState);
    // The needles ending at lngEnd in the state reached there.
    void Found(Stream& objStream, uint32_t lngState, size_t lngEnd, std::wstring_view strText);
    bool Verify(const Needle& objNeedle, std::wstring_view strText, size_t lngEnd) const;

    std::vector<Needle> mcolNeedles;
    std::unordered_map<std::wstring, size_t> mcolKeys;
    bool mblnBuilt = false;

    // Alphabet: folded characters of the needles numbered from 1, 0 for any other.
    std::vector<uint32_t> mSymbols;  // by character code below 0x10000
    std::unordered_map<uint32_t, uint32_t> mBigSymbols;
    uint32_t mlngSymbolCount = 1;
    std::vector<uint8_t> mStarts;  // by character code below 0x10000
    // Every character that can start a needle and, when the shortest needle
    // is m > 1 characters long, every character that can be the m-th one,
    // m - 1 characters further on: when they are few enough, blocks of text
    // are compared with them instead of looking characters up one by one.
    std::vector<wchar_t> mStartChars;
    std::vector<wchar_t> mLaterChars;
    size_t mlngLaterShift = 0;
    bool mblnFewStarts = false;

    // Trie with children in one sorted table per node; node 0 is the root.
    std::vector<uint32_t> mChildStart;
    std::vector<uint32_t> mChildSymbol;
    std::vector<uint32_t> mChildNode;
    std::vector<uint32_t> mFail;
    // Needles ending at a node and the next node down the suffix chain that
    // has needles.
    std::vector<uint32_t> mOutStart;
    std::vector<uint32_t> mOutNeedle;
    std::vector<uint32_t> mDict;
    size_t mlngLongest = 0;
    // One stream, or one for each part of a long text.
    static constexpr size_t kParts = 4;
    std::vector<Stream> mStreams;
    // Full transition table when it is small enough: a row of
    // 2^mlngRowShift cells per node, 16-bit cells when the nodes allow.
    std::vector<uint32_t> mDelta;
    std::vector<uint16_t> mDelta16;
    uint32_t mlngRowShift = 0;
};
