#pragma once
// Choosing one function of a library: the lookup of its documentation block,
// the parse of its documentation, the presets of its parameter slots, its
// helper program and the messages the user is to see. The window shows the
// result; quill-cli prints it.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/docs/FunctionDocumentation.h"
#include "core/docs/PrototypeLookup.h"
#include "core/docs/VendorLookup.h"
#include "core/docs/VendorValues.h"
#include "core/library/FunctionScanner.h"
#include "core/library/LibraryDeclarations.h"
#include "core/text/NoText.h"

namespace quill {

struct FunctionRequest {
    std::string libraryPath;
    std::string entry;
    // The library selected when the window opened: parameter fields look for
    // their helper programs in its folder.
    std::string startupLibrary;
    // The library's declarations, kept from one choice to the next by a
    // caller that chooses often; null: read for this choice alone.
    LibraryDeclarations* declarations = nullptr;
    // Read in vendor mode (see UsesVendorMode).
    bool vendorMode = false;
};

// Which file gave the documentation block: one of the three forms of the
// documenting path, a source folder beside the header's include folder, or
// the header itself.
enum class DocumentationRoute { None, AsGiven, LastLetterC, LowerCaseSrc, SourceFolder, Header };

// "as given", "last letter c", "lower case Src", "source folder", "header",
// "none".
const char* DocumentationRouteName(DocumentationRoute route);

// The function's helper program, looked for in the folder of the file that
// holds its documentation.
struct HelperProgram {
    // False when that path has no folder separator at position 5 or later:
    // the helper offered before stays as it was.
    bool looked = false;
    std::string path;     // the folder with its separator, then the helper's name
    bool exists = false;  // the path opens for reading
    // What to offer: the path, or kNoText for none.
    std::string Offered() const { return exists ? path : std::string(kNoText); }
};

struct FunctionChoice {
    std::string documentingPath;  // the library path with a last ".h" turned into ".c"
    PrototypeLookup lookup;       // outcome, the file read, the block or kNoText
    bool documentationRead = false;
    // The parsed documentation, each entry field preset as its slot starts:
    // the first value of a flags list, a helper in double quotes, nothing
    // under a drop-down list.
    FunctionDocumentation documentation;
    DocumentationRoute route = DocumentationRoute::None;
    // Legal values vendor documentation names for parameters that have no
    // choice text of their own; one for each entry of the record's parameters.
    std::vector<Suggestions> suggestions = std::vector<Suggestions>(kMaxParameters);
    HelperProgram helper;
    std::string parameterHelperFolder;  // the folder of the start-up library
    // What the user is told, in order; empty when the documentation was
    // found and read.
    // In vendor mode a missing block is no failure to report in a box:
    // `lookup.text` then says what is missing, and `messages` stays empty.
    std::vector<std::string> messages;
    bool vendorMode = false;

    bool Found() const { return lookup.outcome == LookupOutcome::Found && documentationRead; }
};

FunctionChoice ChooseFunction(const FunctionRequest& request);

// The lookup alone, as the source view runs it for the first function of a
// fresh list: the documenting path's forms, then the vendor places. Only the
// lookup, its route and its messages are filled in.
FunctionChoice LookUpFunction(const std::string& libraryPath, const std::string& entry,
                              bool vendorMode = false);

// The helper named `helperName` beside the file `documentationPath`.
HelperProgram LookForHelper(const std::string& documentationPath, const std::string& helperName);

// What one caller of LibraryChoices::Choose keeps from one choice to the
// next: whether each helper path opened, and where the library's index is
// asked first.
struct ChoiceMemory {
    std::map<std::string, bool> helpersFound;
    const VendorFunctionIndex* hintIndex = nullptr;
    std::size_t hintNext = 0;
};

// Many functions of one library, its documenting file opened and read once.
class LibraryChoices {
public:
    LibraryChoices(std::string libraryPath, std::string startupLibrary,
                   LibraryDeclarations* declarations = nullptr, bool vendorMode = false);
    LibraryChoices(const LibraryChoices&) = delete;
    LibraryChoices& operator=(const LibraryChoices&) = delete;

    // Reads the whole documenting file and indexes it, so that each later
    // choice costs a search and not a pass over the file.
    void IndexAll();

    // Reads the whole library and hands its function entries to `onEntry`
    // in file order, as ScanLibraryFile does, from the lines the lookups
    // and the declarations then share. False, with no entry handed, when it
    // cannot be opened or reading it failed. Choosing from `onEntry` is fine.
    bool ScanEntries(EntrySink onEntry);

    FunctionChoice Choose(const std::string& entry);
    // Choose with the memory of one caller. Once PrepareForThreads has
    // returned true, several threads may call this at once, each with a
    // memory of its own.
    FunctionChoice Choose(const std::string& entry, ChoiceMemory& memory);
    // The lookup part of Choose.
    FunctionChoice LookUp(const std::string& entry);

    // Readies a library in vendor mode that is checked whole (IndexAll) for
    // choosing from several threads: every file a lookup may take a block
    // from is opened and indexed, and every declaration a choice may ask
    // for is read, now; the indexes and the declarations as the two pieces
    // of work `runBoth` is given. False when it is no such library, or a
    // file did not read whole: then choose from one thread.
    using RunBoth = std::function<void(const std::function<void()>& first,
                                       const std::function<void()>& second)>;
    bool PrepareForThreads(const RunBoth& runBoth);

private:
    void Open();
    // Fills the lookup fields and messages of `choice`; the lines the block
    // was found in, or null when none were read.
    DocumentLines* LookUpInto(const std::string& entry, FunctionChoice& choice,
                              ChoiceMemory& memory, std::optional<LineRange>& block);
    // The lookup in a source folder beside the include folder, then in the
    // header itself; the lines it was found in, or null.
    DocumentLines* LookUpInVendorPlaces(const std::string& entry, FunctionChoice& choice);
    DocumentLines& OtherFile(const std::string& path);
    // The lines of `path` when they were read whole already, else null.
    DocumentLines* WholeLines(const std::string& path);
    // Adds what `path` declares, from its lines when they are kept.
    void AddDeclarations(const std::string& path);
    // When reading `lines` failed before the file's end, what was read is
    // not the whole file: the file is taken as one that cannot be read, and
    // true tells the caller to look again.
    bool ForgetFailedRead(DocumentLines* lines);
    // The vendor-mode lookup: the function's own block in the documenting
    // file, a source folder beside the include folder, or the header, in
    // that order; the lines it was found in, or null.
    DocumentLines* LookUpVendorBlock(const std::string& entry, FunctionChoice& choice,
                                     ChoiceMemory& memory, std::optional<LineRange>& block);
    // Has the declarations look further in the library's tree.
    void LookFurtherInTree();
    // The index of the lines of `path`, built on first use.
    // Shared with a list of the entries that asks it while it runs.
    const std::shared_ptr<const VendorFunctionIndex>& IndexOf(DocumentLines& lines,
                                                              const std::string& path);
    // Takes the block of `name` from `lines` when they have its own.
    bool TakeOwnBlock(DocumentLines& lines, const std::string& path, const std::string& name,
                      DocumentationRoute route, FunctionChoice& choice, ChoiceMemory& memory,
                      std::optional<LineRange>& block);

    std::string libraryPath_;
    std::string startupLibrary_;
    std::string documentingPath_;
    bool openTried_ = false;
    bool indexAll_ = false;
    DocumentingFile file_;
    std::optional<std::vector<std::string>> sourceFolderPaths_;
    std::map<std::string, DocumentLines> otherFiles_;  // by path; no lines when it did not open
    ChoiceMemory memory_;                              // of Choose without one
    LibraryDeclarations ownDeclarations_;
    LibraryDeclarations* declarations_;
    // The declarations of the library's whole tree, read when a name is
    // declared neither in the header nor in the documenting file. Shared
    // with the declarations, which may outlive this.
    struct Tree {
        std::string libraryPath;
        std::shared_ptr<const LibraryDeclarations> declarations;
    };
    std::shared_ptr<Tree> tree_;
    bool vendorMode_ = false;
    std::map<std::string, std::shared_ptr<const VendorFunctionIndex>> vendorIndexes_;  // by path
    bool preparedForThreads_ = false;
};

}  // namespace quill
