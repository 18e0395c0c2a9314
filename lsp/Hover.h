#pragma once
// Hover on a catalogued function's name: its prototype, the values of its
// parameters and its documentation block, as Markdown.

#include <optional>
#include <string>
#include <string_view>

#include "lsp/CatalogueIndex.h"
#include "lsp/ProtocolJson.h"

namespace quill::lsp {

// The block's text for Markdown: comment marks and leaders gone, "@param"
// lines as list items, characters Markdown would read escaped.
std::string BlockAsMarkdown(const std::string& block);

std::optional<Json> HoverAt(CatalogueIndex& index, std::string_view text, std::size_t offset);

}  // namespace quill::lsp
