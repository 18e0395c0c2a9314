#pragma once
// Where the calls of a C or C++ text are: which function and which argument
// a cursor stands in, and every call with its arguments. Comments, string
// and character literals are passed over; calls may span lines and nest.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::lsp {

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the last byte
};

struct CallSite {
    std::string name;  // the identifier before "("
    Span nameSpan;
    std::vector<Span> arguments;  // between "(", "," and ")" at the call's own depth
};

// Each call of `text` whose ")" is found, in the order the calls close.
void ForEachCall(std::string_view text, const std::function<void(const CallSite&)>& onCall);

struct CallContext {
    std::string name;  // the innermost call the cursor stands in
    Span nameSpan;
    int argument = 0;               // 0-based
    std::size_t argumentBegin = 0;  // just after the "(" or "," before it
};

// The call whose argument list holds `offset`, innermost first; nothing when
// the offset lies in a comment or a literal, or in no call's parentheses
// (a "[" or "{" opened inside the call counts as leaving it).
std::optional<CallContext> FindCallAt(std::string_view text, std::size_t offset);

// The identifier characters just before `offset` (the word being typed).
Span WordBefore(std::string_view text, std::size_t offset);

// The whole identifier around `offset`, empty when there is none.
Span WordAround(std::string_view text, std::size_t offset);

bool IsIdentifierByte(char c);

}  // namespace quill::lsp
