#pragma once
// UTF-16 text in either byte order, held as UTF-8 in between: the bytes of a
// UTF-16 file turn into UTF-8 and back without a change, lone surrogates
// included.

#include <cstddef>
#include <optional>
#include <string>

namespace quill {

// The UTF-16 code units of `bytes` from byte `from` on (after the byte-order
// mark) as UTF-8. A surrogate without its partner is kept as its own
// three-byte sequence so that it is written back unchanged; an odd last
// byte becomes U+FFFD.
std::string Utf16ToUtf8(const std::string& bytes, std::size_t from, bool littleEndian);

// The byte-order mark, then `text` (UTF-8, with single surrogates as
// Utf16ToUtf8 writes them) as UTF-16 code units; nullopt for bytes that are
// no such text.
std::optional<std::string> Utf8ToUtf16(const std::string& text, bool littleEndian);

}  // namespace quill
