#include "lsp/TextPositions.h"

#include <algorithm>

namespace quill::lsp {

namespace {

// Bytes of the UTF-8 sequence a lead byte starts (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead < 0xF0 ? 3 : 1;
    }
    if (lead >= 0xC0) {
        return 2;
    }
    return 1;
}

}  // namespace

std::size_t OffsetOf(std::string_view text, Position position) {
    std::size_t offset = 0;
    for (int line = 0; line < position.line; ++line) {
        const std::size_t end = text.find('\n', offset);
        if (end == std::string_view::npos) {
            return text.size();
        }
        offset = end + 1;
    }
    int units = 0;
    while (offset < text.size() && text[offset] != '\n' && units < position.character) {
        const std::size_t length = std::min(
            SequenceLength(static_cast<unsigned char>(text[offset])), text.size() - offset);
        const int width = length == 4 ? 2 : 1;
        if (units + width > position.character) {
            break;  // inside a surrogate pair
        }
        units += width;
        offset += length;
    }
    return offset;
}

Position PositionOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    Position position;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++position.line;
            lineStart = i + 1;
        }
    }
    for (std::size_t i = lineStart; i < offset;) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
        position.character += length == 4 ? 2 : 1;
        i += length;
    }
    return position;
}

}  // namespace quill::lsp
