#pragma once
// Finding a function's documentation block in its documenting file.

#include <string>
#include <string_view>
#include <vector>

#include "core/files/ReadTextLine.h"
#include "core/text/DocumentLines.h"
#include "core/text/NoText.h"

namespace quill {

// A last ".h" or ".H" becomes ".c"; every other path is returned unchanged.
std::string SourcePathForHeader(const std::string& path);

// The three forms tried in turn: as given; last character "c"; lower case
// with "\include\" (and "/include/") turned into "\Src\" ("/Src/").
std::vector<std::string> DocumentingPathForms(const std::string& documentingPath);

enum class LookupOutcome {
    Found,       // the function's line was met; text is the collected block
    NotFound,    // a file was read but no line begins with the entry
    NoSource,    // no form of the path could be opened
    EmptyInput,  // empty path or empty entry: nothing was opened
};

struct PrototypeLookup {
    LookupOutcome outcome = LookupOutcome::EmptyInput;
    std::string path;  // the form finally opened, or the last form tried
    std::string text;  // collected text, or kNoText on every failure
};

// Collects the block around the first line whose normalised copy begins with
// `entry`. `found` tells whether that line was met; the text is then the
// collected run of lines, else whatever was collected (callers use "-").
std::string CollectDocumentationBlock(TextFile& file, const std::string& entry, bool& found);

// The documenting file opened in the first of its forms that opens.
struct DocumentingFile {
    bool opened = false;
    std::string path;  // the form opened, or the last form tried
    DocumentLines lines;
};
DocumentingFile OpenDocumentingFile(const std::string& documentingPath);

// The lookup of `entry` in a documenting file already opened as `path`:
// Found with the collected block, or NotFound with "-".
PrototypeLookup LookUpInLines(DocumentLines& lines, const std::string& path,
                              const std::string& entry);

// Opens the documenting file (with its fallback forms) and collects the block.
PrototypeLookup LookUpPrototypeText(const std::string& documentingPath, const std::string& entry);

// The messages the window shows for a failed lookup.
std::string NoSourceMessage(const std::string& documentingPath);  // "Could not find source G or .c"
std::string NotFoundMessage(const std::string& entry, const std::string& documentingPath);

}  // namespace quill
