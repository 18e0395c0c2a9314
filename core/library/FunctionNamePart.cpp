#include "core/library/FunctionNamePart.h"

#include "core/text/TextOps.h"

namespace quill {

namespace {

// Letters, digits, "_", and bytes of the upper half, which a code page or
// UTF-8 uses for the letters of other alphabets.
bool IsNameByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == '_' || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
}

}  // namespace

std::string_view FunctionNamePart(std::string_view entry) {
    std::size_t end = entry.find('(');
    if (end == std::string_view::npos) {
        return {};
    }
    // A function that returns a function pointer: "void (*Handler(int a))(int)".
    std::size_t inner = end + 1;
    while (inner < entry.size() && IsBlank(entry[inner])) {
        ++inner;
    }
    if (inner < entry.size() && entry[inner] == '*') {
        while (inner < entry.size() && (entry[inner] == '*' || IsBlank(entry[inner]))) {
            ++inner;
        }
        std::size_t innerEnd = inner;
        while (innerEnd < entry.size() && IsNameByte(entry[innerEnd])) {
            ++innerEnd;
        }
        return entry.substr(inner, innerEnd - inner);
    }
    while (end > 0 && IsBlank(entry[end - 1])) {
        --end;
    }
    std::size_t start = end;
    while (start > 0 && IsNameByte(entry[start - 1])) {
        --start;
    }
    return entry.substr(start, end - start);
}

}  // namespace quill
