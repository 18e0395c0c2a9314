#pragma once
// Where vendor libraries keep a function's documentation when it is not in
// the C source beside the header: a source folder ("Src", "source" ...)
// beside the header's include folder, or the header itself.

#include <cstddef>
#include <string>
#include <vector>

#include "core/text/DocumentLines.h"

namespace quill {

// True for a folder name that holds headers: "Inc", "inc", "Include", ...
// (any case), and for one that holds sources: "Src", "source", ...
bool IsIncludeFolderName(const std::string& name);
bool IsSourceFolderName(const std::string& name);

// The same file name in every source folder beside the documenting file's
// folder when that folder is an include folder, then beside its parent when
// the parent is one (there with the sub-folder kept, and without it). Only
// folders that exist are listed, each in byte order; the file name is
// matched ignoring case.
std::vector<std::string> SiblingSourcePaths(const std::string& documentingPath);

// True when a collected text (as CollectDocumentationBlock gives it) begins
// with a block whose comment ends right before the function's line, blank
// lines aside: a header that documents the function in place.
bool BlockStandsBeforePrototype(const std::string& collected, const std::string& entry);

// The same for the block that begins at line `begin` of a header's lines,
// read only as far as the answer needs, without collecting its text.
bool BlockStandsBeforePrototype(DocumentLines& lines, std::size_t begin, const std::string& entry);

}  // namespace quill
