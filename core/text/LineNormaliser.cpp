#include "core/text/LineNormaliser.h"

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/text/TextOps.h"

namespace quill {

// The nine replacements of the line normalisation, in order: tab to space,
// collapse blanks, drop "extern ", then " ," ", " "," and "( " " (" " )".
// Two passes give the same bytes:
//
// The first pass does the first three. Collapsing looks at the byte before
// in the tab-free text, not at what was written, since a dropped "extern "
// may leave a space last. "extern " cannot overlap itself, so removing every
// occurrence of the collapsed text is the one-pass replacement; an
// occurrence that only forms where one was cut out (`kept` marks the cut)
// stays.
//
// After it no two spaces are adjacent, so every space has non-space
// neighbours, and the other six replacements drop a space next to a comma
// or a parenthesis, which the second pass decides from its neighbours in the
// first pass's text:
// - a comma becomes ", ", or "," when the next byte that is not a dropped
//   space is "(" or ")";
// - a space goes when the byte before is "," or "(", or the byte after is
//   ",", "(" or ")".
std::string_view LineNormaliser::Normalise(std::string_view line) {
    if (std::string_view normal; NormaliseQuickly(line, normal)) {
        return normal;
    }
    // Both passes write through pointers into buffers that only grow: the
    // first never lengthens the text, the second at most doubles it.
    // The sixteen-byte path sizes them its own way: each is checked apart.
    if (stage_.size() < line.size()) {
        stage_.resize(line.size());
    }
    if (result_.size() < 2 * line.size()) {
        result_.resize(2 * line.size());
    }
    char* const stage = stage_.data();
    char* out = stage;
    char* kept = stage;  // bytes before this are past a removed "extern "
    bool lastWasSpace = false;
    for (char c : line) {
        if (c == '\t') {
            c = ' ';
        }
        if (c != ' ') {
            *out++ = c;
            lastWasSpace = false;
        } else if (!lastWasSpace) {
            lastWasSpace = true;
            *out++ = ' ';
            if (out - kept >= 7 && out[-7] == 'e' && std::memcmp(out - 7, "extern ", 7) == 0) {
                out -= 7;
                kept = out;
            }
        }
    }
    const char* const end = out;

    char* const result = result_.data();
    out = result;
    for (const char* p = stage; p < end; ++p) {
        const char c = *p;
        if (c == ',') {
            *out++ = ',';
            const char* next = p + 1 < end && p[1] == ' ' ? p + 2 : p + 1;
            if (next >= end || (*next != '(' && *next != ')')) {
                *out++ = ' ';
            }
        } else if (c == ' ') {
            const char before = p > stage ? p[-1] : '\0';
            const char after = p + 1 < end ? p[1] : '\0';
            if (before != ',' && before != '(' && after != ',' && after != '(' && after != ')') {
                *out++ = ' ';
            }
        } else {
            *out++ = c;
        }
    }
    return std::string_view(result, static_cast<std::size_t>(out - result));
}

#ifdef __SSE2__
namespace {

// The helpers below run for every sixteen bytes of a line: kept inline.
#define QUILL_INLINE inline __attribute__((always_inline))

constexpr std::size_t kLead = 16;  // NUL bytes before a padded text
constexpr std::size_t kTail = 32;  // and after it

QUILL_INLINE __m128i Load(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

QUILL_INLINE __m128i Is(__m128i bytes, char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

QUILL_INLINE unsigned Bits(__m128i flags) {
    return static_cast<unsigned>(_mm_movemask_epi8(flags));
}

// Copies the `count` bytes from `p` to `out` without those flagged in
// `drop`, writing ", " for the commas flagged in `widen`; returns the new
// end of the output. The runs between edits go sixteen bytes at a time, so
// both sides need sixteen spare bytes.
QUILL_INLINE char* CopyEdited(const char* p, std::size_t count, unsigned drop, unsigned widen,
                              char* out) {
    std::size_t from = 0;
    for (unsigned edits = drop | widen; edits != 0; edits &= edits - 1) {
        const auto at = static_cast<std::size_t>(__builtin_ctz(edits));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), Load(p + from));
        out += at - from;
        if ((drop >> at & 1u) == 0) {
            *out++ = ',';
            *out++ = ' ';
        }
        from = at + 1;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), Load(p + from));
    return out + (count - from);
}

// The second pass over the `count` bytes of text from `p`, deciding each
// byte from its neighbours; returns the new end of the output. A comma with
// a space after it is left as it stands, unless "(" or ")" follows, when the
// space goes: the same bytes as the comma gaining a space and the space
// after it going, without touching either.
QUILL_INLINE char* SecondPass(const char* p, std::size_t count, char* out) {
    const __m128i here = Load(p);
    const __m128i next = Load(p + 1);
    const __m128i before = Load(p - 1);
    const __m128i parenNext = _mm_or_si128(Is(next, '('), Is(next, ')'));
    const __m128i spaceNext = Is(next, ' ');
    // Any other space goes after "(" and before ",", "(" or ")".
    const __m128i dropped = _mm_and_si128(
        Is(here, ' '),
        _mm_or_si128(parenNext, _mm_andnot_si128(Is(before, ','),
                                                 _mm_or_si128(Is(before, '('), Is(next, ',')))));
    // Any other comma gains a space unless "(" or ")" follows it.
    const __m128i widened = _mm_andnot_si128(_mm_or_si128(parenNext, spaceNext), Is(here, ','));
    return CopyEdited(p, count, Bits(dropped), Bits(widened), out);
}

#undef QUILL_INLINE

}  // namespace

// Most lines the scan normalises hold no "extern " other than one at the
// very front. For them the first pass only turns tabs into spaces, drops
// every blank after a blank and that one "extern ", and the second decides
// every byte from its neighbours in the first pass's text: sixteen bytes at
// a time, each byte to drop and each comma that needs a space after it is
// found from the bytes beside it. A line with "extern" before a blank
// anywhere else is left to the byte-wise passes.
bool LineNormaliser::NormaliseQuickly(std::string_view line, std::string_view& normal) {
    constexpr std::string_view kExtern = "extern ";
    if (line.substr(0, kExtern.size()) == kExtern) {
        line.remove_prefix(kExtern.size());
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            return false;  // the blanks would collapse into the dropped one
        }
    }
    // Copies with NUL bytes around them, which every rule takes as the
    // line's ends, so that the neighbours of every byte can be read sixteen
    // at a time; room for a comma per byte to gain a space.
    std::size_t n = line.size();
    for (std::string* buffer : {&padded_, &stage_}) {
        if (buffer->size() < kLead + n + kTail) {
            buffer->assign(kLead + n + kTail, '\0');
        }
    }
    if (result_.size() < 2 * n + kTail) {
        result_.resize(2 * n + kTail);
    }
    char* text = padded_.data() + kLead;
    std::memcpy(text, line.data(), n);
    std::memset(text + n, 0, kTail);

    // Most lines need nothing of the first pass, so the second runs along
    // with the checks; tabs or blanks in a row send it round again on the
    // collapsed text. Any "x" with a blank five bytes on, as in "extern ",
    // sends the line to the byte-wise passes.
    char* out = result_.data();
    bool collapse = false;
    for (std::size_t i = 0; i < n; i += 16) {
        char* const p = text + i;
        const __m128i here = Load(p);
        const __m128i tab = Is(here, '\t');
        const __m128i after5 = Load(p + 5);
        if (Bits(_mm_and_si128(Is(here, 'x'), _mm_or_si128(Is(after5, ' '), Is(after5, '\t')))) !=
            0) {
            return false;
        }
        const __m128i next = Load(p + 1);
        const __m128i blankNext = _mm_or_si128(Is(next, ' '), Is(next, '\t'));
        const __m128i blank = _mm_or_si128(Is(here, ' '), tab);
        collapse = collapse || Bits(_mm_or_si128(tab, _mm_and_si128(blank, blankNext))) != 0;
        if (collapse) {  // tabs become spaces in place
            const __m128i spaces =
                _mm_or_si128(_mm_andnot_si128(tab, here), _mm_and_si128(tab, _mm_set1_epi8(' ')));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), spaces);
        } else {
            out = SecondPass(p, n - i < 16 ? n - i : 16, out);
        }
    }
    if (collapse) {
        // The byte-wise passes write this buffer from its start.
        stage_[kLead - 1] = '\0';
        char* const stage = stage_.data() + kLead;
        out = stage;
        for (std::size_t i = 0; i < n; i += 16) {
            const char* const p = text + i;
            const unsigned drop = Bits(_mm_and_si128(Is(Load(p), ' '), Is(Load(p - 1), ' ')));
            out = CopyEdited(p, n - i < 16 ? n - i : 16, drop, 0, out);
        }
        n = static_cast<std::size_t>(out - stage);
        std::memset(out, 0, kTail);
        out = result_.data();
        for (std::size_t i = 0; i < n; i += 16) {
            out = SecondPass(stage + i, n - i < 16 ? n - i : 16, out);
        }
    }
    normal = std::string_view(result_.data(), static_cast<std::size_t>(out - result_.data()));
    return true;
}
#else
bool LineNormaliser::NormaliseQuickly(std::string_view, std::string_view&) {
    return false;
}
#endif

std::string NormaliseLine(std::string_view line) {
    LineNormaliser normaliser;
    return std::string(normaliser.Normalise(line));
}

namespace {

// The first character of NormaliseLine(line) for a line that does not begin
// with a blank, or -1 when that text is empty. A line beginning with a blank
// gives ' ' (its normalised form then begins with ' ', ",", "(" or ")").
int FirstNormalisedChar(std::string_view line) {
    const std::size_t n = line.size();
    if (n > 0 && IsBlank(line[0])) {
        return ' ';
    }
    // Tabs become spaces and runs of blanks one space, then every "extern "
    // goes: leading "extern" words followed by blanks vanish one after the
    // other. The comma and parenthesis rules only touch spaces.
    std::size_t i = 0;
    while (i + 6 < n && line[i] == 'e' && line.compare(i, 6, "extern") == 0 &&
           IsBlank(line[i + 6])) {
        i += 6;
        while (i < n && IsBlank(line[i])) {
            ++i;
        }
    }
    return i < n ? static_cast<unsigned char>(line[i]) : -1;
}

}  // namespace

bool NormalisedLineStartsWith(std::string_view line, std::string_view prefix) {
    if (prefix.empty()) {
        return true;
    }
    const char first = prefix[0];
    const bool decidedByFirstChar = first != ' ' && first != ',' && first != '(' && first != ')';
    if (decidedByFirstChar && FirstNormalisedChar(line) != static_cast<unsigned char>(first)) {
        return false;
    }
    return StartsWith(NormaliseLine(line), prefix);
}

}  // namespace quill
