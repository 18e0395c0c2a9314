#pragma once
// Signature help: the prototype of the call at the cursor, its active
// parameter and that parameter's documented values.

#include <optional>
#include <string_view>

#include "lsp/CatalogueIndex.h"
#include "lsp/ProtocolJson.h"

namespace quill::lsp {

// Nothing when the cursor is in no argument list of a catalogued function.
std::optional<Json> HelpWithSignature(CatalogueIndex& index, std::string_view text,
                                      std::size_t offset);

// The byte spans of the parameters in a prototype, blanks trimmed.
std::vector<Span> ParameterSpans(std::string_view entry);

// "One of A, B." / "Any combination of A, B, joined with |." / "From 0 to 7."
// or "" for a parameter Quill knows nothing of.
std::string ValuesSentence(const struct ParameterValues& parameter);

}  // namespace quill::lsp
