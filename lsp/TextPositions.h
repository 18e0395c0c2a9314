#pragma once
// Positions as the protocol counts them (a line, then UTF-16 code units into
// it) against byte offsets into UTF-8 text.

#include <cstddef>
#include <string_view>

namespace quill::lsp {

struct Position {
    int line = 0;
    int character = 0;  // UTF-16 code units
    bool operator==(const Position&) const = default;
};

// The byte offset of `position` in `text`. A line past the end gives the
// text's end; a character past the line's end gives the line's end (before
// its "\n"); a position inside a four-byte sequence gives that sequence's
// start.
std::size_t OffsetOf(std::string_view text, Position position);

// The position of byte `offset` (clamped to the text's end).
Position PositionOf(std::string_view text, std::size_t offset);

}  // namespace quill::lsp
