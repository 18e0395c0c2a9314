#pragma once
// Turning a documenting file and a function entry into a FunctionDocumentation.

#include <string>

#include "params/DocumentLines.h"
#include "params/FunctionDocumentation.h"
#include "source/ReadTextLine.h"

namespace quill {

// Parses the documenting file's lines for `entry`. When `lookupSucceeded`
// is false nothing is read and the result has no parameters.
// `previousReturnType` is kept when the parse stops before the prototype is
// split.
FunctionDocumentation ParseDocumentation(DocumentLines& lines, const std::string& entry,
                                         bool lookupSucceeded,
                                         const std::string& previousReturnType);

// The same over the lines of `file` (already open).
FunctionDocumentation ParseDocumentationLines(TextFile& file, const std::string& entry,
                                              bool lookupSucceeded,
                                              const std::string& previousReturnType);

}  // namespace quill
