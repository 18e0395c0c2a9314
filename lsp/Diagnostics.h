#pragma once
// Warnings on calls of catalogued functions whose documentation pins the
// values of a parameter: a literal outside its documented range, or a bare
// identifier that names none of its listed values.

#include <string_view>

#include "lsp/CatalogueIndex.h"
#include "lsp/ProtocolJson.h"

namespace quill::lsp {

// Stable codes, one per kind of warning.
inline constexpr const char* kOutOfRangeCode = "quill-out-of-range";
inline constexpr const char* kNotListedCode = "quill-not-listed";

// The diagnostics of a whole text, in the order the calls close.
Json DiagnoseText(CatalogueIndex& index, std::string_view text);

}  // namespace quill::lsp
