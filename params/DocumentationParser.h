#pragma once
// Turning a documenting file and a function entry into a FunctionDocumentation.

#include <string>

#include "params/FunctionDocumentation.h"
#include "source/ReadTextLine.h"

namespace quill {

// Parses the lines of `file` (already open) for `entry`. When
// `lookupSucceeded` is false nothing is read and the result has no
// parameters. `previousReturnType` is kept when the parse stops before the
// prototype is split.
FunctionDocumentation ParseDocumentationLines(TextFile& file, const std::string& entry,
                                              bool lookupSucceeded,
                                              const std::string& previousReturnType);

struct DocumentationParse {
    bool fileOpened = false;  // false: show "Could not find " + path
    FunctionDocumentation documentation;
};

// Opens `path` and parses it. A file that cannot be opened gives no
// parameters, the whole entry as function name and the previous return type.
DocumentationParse ParseFunctionDocumentation(const std::string& path, const std::string& entry,
                                              bool lookupSucceeded,
                                              const std::string& previousReturnType = "");

}  // namespace quill
