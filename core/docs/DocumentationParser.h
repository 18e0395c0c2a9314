#pragma once
// Turning a documenting file and a function entry into a FunctionDocumentation.

#include <string>

#include "core/docs/FunctionDocumentation.h"
#include "core/files/ReadTextLine.h"
#include "core/text/DocumentLines.h"

namespace quill {

// Parses the documenting file's lines for `entry`. When `lookupSucceeded`
// is false nothing is read and the record comes from the entry alone.
FunctionDocumentation ParseDocumentation(DocumentLines& lines, const std::string& entry,
                                         bool lookupSucceeded);

// The same for a block already found: lines [begin, end) of `lines`.
FunctionDocumentation ParseDocumentationBlock(const DocumentLines& lines, std::size_t begin,
                                              std::size_t end, const std::string& entry);

// The same over the lines of `file` (already open).
FunctionDocumentation ParseDocumentationLines(TextFile& file, const std::string& entry,
                                              bool lookupSucceeded);

// Name, return type and parameters taken from the entry text alone, each
// parameter a free entry: what a function without documentation still needs
// for its call text. An entry without "(" keeps the whole text as its name.
FunctionDocumentation RecordFromEntry(const std::string& entry);

}  // namespace quill
