#pragma once
// The protocol's small JSON shapes: positions, ranges, markup, and the
// numbers it names (kinds, severities, error codes).

#include <nlohmann/json.hpp>
#include <string_view>

#include "lsp/CallContext.h"
#include "lsp/TextPositions.h"

namespace quill::lsp {

using Json = nlohmann::json;

namespace ErrorCode {
inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kInternalError = -32603;
inline constexpr int kServerNotInitialized = -32002;
inline constexpr int kRequestCancelled = -32800;
}  // namespace ErrorCode

namespace CompletionKind {
inline constexpr int kFunction = 3;
inline constexpr int kValue = 12;
inline constexpr int kEnumMember = 20;
}  // namespace CompletionKind

inline constexpr int kSeverityWarning = 2;
inline constexpr int kSnippetFormat = 2;

// {"line": L, "character": C}; throws when either is missing.
Position PositionFromJson(const Json& json);
Json PositionJson(Position position);
// The range of bytes `span` of `text`.
Json RangeJson(std::string_view text, Span span);
Json Markdown(std::string text);

// Library texts are bytes in any code page: JSON output needs UTF-8, so
// bytes that are not become U+FFFD.
std::string Serialise(const Json& json);

}  // namespace quill::lsp
