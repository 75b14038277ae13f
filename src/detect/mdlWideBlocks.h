#pragma once
// Comparing a block of wide characters at once (SSE2): the needle table and
// the REGEXP run search both step over text that cannot hold a match this way.
#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

namespace mdlWideBlocks {

static_assert(sizeof(wchar_t) == 2 || sizeof(wchar_t) == 4);
// Characters in one block.
constexpr size_t kLanes = sizeof(__m128i) / sizeof(wchar_t);

inline __m128i Broadcast(wchar_t ch) {
    if constexpr (sizeof(wchar_t) == 4) return _mm_set1_epi32(static_cast<int>(ch));
    else return _mm_set1_epi16(static_cast<short>(ch));
}

inline __m128i Load(const wchar_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

inline __m128i Equal(__m128i a, __m128i b) {
    if constexpr (sizeof(wchar_t) == 4) return _mm_cmpeq_epi32(a, b);
    else return _mm_cmpeq_epi16(a, b);
}

// Lanes of a block equal to one of the K keys, compared by equal.
template <size_t K, typename Compare>
__m128i AnyKey(__m128i block, const __m128i* keys, Compare equal) {
    __m128i hit = _mm_setzero_si128();
    for (size_t k = 0; k < K; ++k) hit = _mm_or_si128(hit, equal(block, keys[k]));
    return hit;
}

// Lanes of the block at "at" equal to one of the K keys.
template <size_t K>
__m128i AnyOf(const wchar_t* at, const __m128i* keys) {
    return AnyKey<K>(Load(at), keys, [](__m128i a, __m128i b) { return Equal(a, b); });
}

// Eight characters as 16-bit lanes. Where wchar_t has 4 bytes, each
// character above 0x7FFF reads as 0x7FFF, and so does a key: a lane equal to
// a key may hold another character, never the other way round.
constexpr size_t kNarrowLanes = 8;

inline __m128i BroadcastNarrow(wchar_t ch) {
    if constexpr (sizeof(wchar_t) == 4) {
        return _mm_set1_epi16(static_cast<short>(static_cast<uint32_t>(ch) > 0x7FFF ? 0x7FFF : ch));
    } else {
        return _mm_set1_epi16(static_cast<short>(ch));
    }
}

inline __m128i LoadNarrow(const wchar_t* at) {
    if constexpr (sizeof(wchar_t) == 4) return _mm_packs_epi32(Load(at), Load(at + 4));
    else return Load(at);
}

template <size_t K>
__m128i AnyOfNarrow(const wchar_t* at, const __m128i* keys) {
    return AnyKey<K>(LoadNarrow(at), keys, [](__m128i a, __m128i b) { return _mm_cmpeq_epi16(a, b); });
}

}  // namespace mdlWideBlocks
#endif
