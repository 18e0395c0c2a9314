#pragma once
// A function chosen from a library, found the way the window finds it: the
// documenting file, the prototype lookup, the documentation parse and the
// presets of the parameter slots.

#include <string>
#include <vector>

#include "params/DocumentationParser.h"
#include "source/PrototypeLookup.h"

namespace quill::cli {

struct FunctionChoice {
    std::string documentingPath;  // the library path with a last ".h" turned into ".c"
    PrototypeLookup lookup;
    DocumentationParse parse;
    // What the window would show in message boxes, in order; empty when the
    // documentation was found and read.
    std::vector<std::string> messages;

    bool Found() const { return lookup.outcome == LookupOutcome::Found && parse.fileOpened; }
};

// Looks `entry` up for the library at `libraryPath` and parses its block.
// Entry fields start as the window shows them: a helper in double quotes,
// the first value of a flags list.
FunctionChoice ChooseFunction(const std::string& libraryPath, const std::string& entry);

// The messages and entry-field presets of a lookup and parse made elsewhere.
FunctionChoice CompleteChoice(const std::string& documentingPath, const std::string& entry,
                              PrototypeLookup lookup, DocumentationParse parse);

// The helper program named by the documentation, looked for in the folder of
// the documenting file; "" when the documentation names none.
std::string HelperProgramPath(const FunctionChoice& choice);

}  // namespace quill::cli
