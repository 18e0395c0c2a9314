#pragma once
// Searches for any of a few byte values sixteen bytes at a time, for the
// scans that walk lines looking for several marks at once (one pass instead
// of a library search per mark).

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quill {

namespace bytesearch {

// 0x80 in each byte of `word` that equals `c`, 0 in the others.
constexpr std::uint64_t Equal(std::uint64_t word, char c) {
    constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ (0x0101010101010101ull * static_cast<unsigned char>(c));
    return ~(((x & kLows) + kLows) | x | kLows);
}

// Bit i set when byte i of `flags` (in memory order) is 0x80.
inline unsigned Gather(std::uint64_t flags) {
#if defined(_WIN32) || (defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__)
    // Byte i moves to bit 56 + i, with no carries in between.
    return static_cast<unsigned>(((flags >> 7) * 0x0102040810204080ull) >> 56);
#else
    unsigned char bytes[8];
    std::memcpy(bytes, &flags, sizeof bytes);
    unsigned bits = 0;
    for (unsigned i = 0; i < 8; ++i) {
        bits |= static_cast<unsigned>(bytes[i] >> 7) << i;
    }
    return bits;
#endif
}

}  // namespace bytesearch

// Bit i set when p[i] is one of `Marks`, for the sixteen bytes from `p`.
template <char... Marks>
unsigned MatchMask16(const char* p) {
    static_assert(sizeof...(Marks) > 0);
#ifdef __SSE2__
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i hits = _mm_setzero_si128();
    ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(Marks)))), ...);
    return static_cast<unsigned>(_mm_movemask_epi8(hits));
#else
    std::uint64_t words[2];
    std::memcpy(words, p, sizeof words);
    const std::uint64_t low = (bytesearch::Equal(words[0], Marks) | ...);
    const std::uint64_t high = (bytesearch::Equal(words[1], Marks) | ...);
    return bytesearch::Gather(low) | bytesearch::Gather(high) << 8;
#endif
}

// The same for the sixty-four bytes from `p`, one mask per mark.
template <char... Marks>
std::array<std::uint64_t, sizeof...(Marks)> EachMatchMask64(const char* p) {
    std::array<std::uint64_t, sizeof...(Marks)> masks{};
    for (unsigned i = 0; i < 4; ++i) {
#ifdef __SSE2__
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        std::size_t k = 0;
        ((masks[k++] |= std::uint64_t{static_cast<unsigned>(
                            _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(Marks))))}
                        << (16 * i)),
         ...);
#else
        std::size_t k = 0;
        ((masks[k++] |= std::uint64_t{MatchMask16<Marks>(p + 16 * i)} << (16 * i)), ...);
#endif
    }
    return masks;
}

// Index of the lowest set bit of a non-zero mask.
inline unsigned LowestBit(std::uint64_t mask) {
#if defined(__GNUC__) || defined(__clang__)
    return static_cast<unsigned>(__builtin_ctzll(mask));
#else
    unsigned index = 0;
    for (; (mask & 1u) == 0; mask >>= 1) {
        ++index;
    }
    return index;
#endif
}

// The first byte in [p, end) equal to one of `Marks`, or `end`.
template <char... Marks>
const char* FindFirstOf(const char* p, const char* end) {
    for (; end - p >= 16; p += 16) {
        if (const unsigned mask = MatchMask16<Marks...>(p); mask != 0) {
            return p + LowestBit(mask);
        }
    }
    for (; p < end; ++p) {
        if (((*p == Marks) || ...)) {
            return p;
        }
    }
    return end;
}

}  // namespace quill
