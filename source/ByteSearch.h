#pragma once
// Searches for any of a few byte values eight bytes at a time, for the scans
// that walk lines looking for several marks at once (one pass instead of a
// library search per mark).

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quill {

namespace bytesearch {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

// High bit set in each byte of `word` that equals `c`, exact for the lowest
// such byte (a borrow may flag bytes above it, never below).
constexpr std::uint64_t Matches(std::uint64_t word, char c) {
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
    return (x - kOnes) & ~x;
}

inline std::uint64_t LoadWord(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

}  // namespace bytesearch

// Words are read eight bytes at a time where the compiler gives the count of
// trailing zero bits and the byte order puts the first byte lowest; other
// builds take one byte at a time.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__BYTE_ORDER__) && \
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define QUILL_WORD_SEARCH 1
#endif

// The first byte in [p, end) equal to one of `Marks`, or `end`.
template <char... Marks>
const char* FindFirstOf(const char* p, const char* end) {
    static_assert(sizeof...(Marks) > 0);
#if defined(__SSE2__) && defined(QUILL_WORD_SEARCH)
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8((_mm_cmpeq_epi8(bytes, _mm_set1_epi8(Marks)) | ...));
        if (mask != 0) {
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        }
    }
#endif
#ifdef QUILL_WORD_SEARCH
    for (; end - p >= 8; p += 8) {
        const std::uint64_t word = bytesearch::LoadWord(p);
        const std::uint64_t mask = (bytesearch::Matches(word, Marks) | ...) & bytesearch::kHighs;
        if (mask != 0) {
            return p + __builtin_ctzll(mask) / 8;
        }
    }
#endif
    for (; p < end; ++p) {
        if (((*p == Marks) || ...)) {
            return p;
        }
    }
    return end;
}

}  // namespace quill
