#pragma once
// Completion inside a call's argument list: the legal values of the
// parameter at the cursor, first and in documented order.

#include <optional>
#include <string_view>

#include "lsp/CatalogueIndex.h"
#include "lsp/ProtocolJson.h"

namespace quill::lsp {

// The completion items at `offset`, or nothing when the cursor is in no
// argument of a catalogued function or Quill knows no values for it. For
// values that combine, after a "|" the values not named yet are offered,
// and then all of them joined with " | ".
std::optional<Json> CompleteArgument(CatalogueIndex& index, std::string_view text,
                                     std::size_t offset);

}  // namespace quill::lsp
