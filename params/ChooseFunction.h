#pragma once
// Choosing one function of a library: the lookup of its documentation block,
// the parse of its documentation, the presets of its parameter slots, its
// helper program and the messages the user is to see. The window shows the
// result; quill-cli prints it.

#include <string>
#include <vector>

#include "params/FunctionDocumentation.h"
#include "source/PrototypeLookup.h"

namespace quill {

struct FunctionRequest {
    std::string libraryPath;
    std::string entry;
    // The library selected when the window opened: parameter fields look for
    // their helper programs in its folder.
    std::string startupLibrary;
};

// The function's helper program, looked for in the folder of the file that
// holds its documentation.
struct HelperProgram {
    // False when that path has no folder separator at position 5 or later:
    // the helper offered before stays as it was.
    bool looked = false;
    std::string path;     // the folder with its separator, then the helper's name
    bool exists = false;  // the path opens for reading
    // What to offer: the path, or "-" for none.
    std::string Offered() const { return exists ? path : std::string(1, '-'); }
};

struct FunctionChoice {
    std::string documentingPath;  // the library path with a last ".h" turned into ".c"
    PrototypeLookup lookup;       // outcome, the file read, the block or "-"
    bool documentationRead = false;
    // The parsed documentation, each entry field preset as its slot starts:
    // the first value of a flags list, a helper in double quotes, nothing
    // under a drop-down list.
    FunctionDocumentation documentation;
    HelperProgram helper;
    std::string parameterHelperFolder;  // the folder of the start-up library
    // What the user is told, in order; empty when the documentation was
    // found and read.
    std::vector<std::string> messages;

    bool Found() const { return lookup.outcome == LookupOutcome::Found && documentationRead; }
};

FunctionChoice ChooseFunction(const FunctionRequest& request);

// The helper named `helperName` beside the file `documentationPath`.
HelperProgram LookForHelper(const std::string& documentationPath, const std::string& helperName);

// Many functions of one library, its documenting file opened and read once.
class LibraryChoices {
public:
    LibraryChoices(std::string libraryPath, std::string startupLibrary);

    // Reads the whole documenting file and indexes it, so that each later
    // choice costs a search and not a pass over the file.
    void IndexAll();

    FunctionChoice Choose(const std::string& entry);

private:
    void Open();

    std::string libraryPath_;
    std::string startupLibrary_;
    std::string documentingPath_;
    bool openTried_ = false;
    DocumentingFile file_;
};

}  // namespace quill
