#pragma once
// Completion of a catalogued function's name: a snippet with one placeholder
// per parameter, a choice of its values where the parameter has a list.

#include <string>
#include <string_view>

#include "lsp/CatalogueIndex.h"
#include "lsp/ProtocolJson.h"

namespace quill::lsp {

// At most this many functions are offered at once; the list is then
// marked incomplete so that the client asks again as the name grows.
inline constexpr std::size_t kMaxFunctionItems = 50;

// "name(${1|A,B|}, ${2:pins})" for the function's record.
std::string CallSnippet(const FunctionChoice& choice);

// The completion list for the word before `offset`: {"isIncomplete", "items"}.
// An empty word offers nothing.
Json CompleteFunctionName(CatalogueIndex& index, std::string_view text, std::size_t offset);

}  // namespace quill::lsp
