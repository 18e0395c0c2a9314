#include "core/ChooseFunction.h"

#include <memory>
#include <utility>

#include "core/docs/ChoiceForms.h"
#include "core/docs/DocumentationParser.h"
#include "core/docs/VendorLookup.h"
#include "core/files/FileBytes.h"
#include "core/library/DeclarationTree.h"
#include "core/text/PathText.h"

namespace quill {

namespace {

// A helper's folder must end at position 5 or later: a separator nearer the
// start belongs to a drive or a root, not to a library folder.
constexpr std::size_t kHelperFolderFrom = 5;

void PresetSlots(FunctionDocumentation& documentation) {
    for (int k = 0; k < documentation.parameterCount; ++k) {
        ParameterDescription& parameter = documentation.parameters[k];
        switch (FormOf(parameter.choiceText)) {
            case ChoiceForm::List:
                // The entry field stays hidden: no text of its own may stand
                // in for the item picked.
                parameter.editText.clear();
                break;
            case ChoiceForm::Flags:
                parameter.editText = FirstFlag(parameter.choiceText);
                break;
            case ChoiceForm::Helper:
            case ChoiceForm::Free:
                break;
        }
    }
}

// Which of the documenting path's forms `openedPath` is.
DocumentationRoute RouteOfForm(const std::string& documentingPath, const std::string& openedPath) {
    const std::vector<std::string> forms = DocumentingPathForms(documentingPath);
    if (openedPath == forms[0]) {
        return DocumentationRoute::AsGiven;
    }
    return openedPath == forms[1] ? DocumentationRoute::LastLetterC
                                  : DocumentationRoute::LowerCaseSrc;
}

}  // namespace

const char* DocumentationRouteName(DocumentationRoute route) {
    switch (route) {
        case DocumentationRoute::AsGiven:
            return "as given";
        case DocumentationRoute::LastLetterC:
            return "last letter c";
        case DocumentationRoute::LowerCaseSrc:
            return "lower case Src";
        case DocumentationRoute::SourceFolder:
            return "source folder";
        case DocumentationRoute::Header:
            return "header";
        case DocumentationRoute::None:
            break;
    }
    return "none";
}

namespace {

// Where the helper is looked for, without looking.
HelperProgram HelperPlace(const std::string& documentationPath, const std::string& helperName) {
    HelperProgram helper;
    const std::size_t separator = LastSeparator(documentationPath);
    if (separator == std::string::npos || separator < kHelperFolderFrom) {
        return helper;
    }
    helper.looked = true;
    helper.path = documentationPath.substr(0, separator + 1) + helperName;
    return helper;
}

}  // namespace

HelperProgram LookForHelper(const std::string& documentationPath, const std::string& helperName) {
    HelperProgram helper = HelperPlace(documentationPath, helperName);
    helper.exists = helper.looked && CanOpenForReading(helper.path);
    return helper;
}

LibraryChoices::LibraryChoices(std::string libraryPath, std::string startupLibrary,
                               LibraryDeclarations* declarations, bool vendorMode)
    : libraryPath_(std::move(libraryPath)),
      startupLibrary_(std::move(startupLibrary)),
      documentingPath_(SourcePathForHeader(libraryPath_)),
      declarations_(declarations != nullptr ? declarations : &ownDeclarations_),
      tree_(std::make_shared<Tree>(Tree{libraryPath_, nullptr})),
      // An assembler library announces its prototypes one a line: its scan
      // is the same in either mode.
      vendorMode_(vendorMode && LibraryKindOf(libraryPath_) == LibraryKind::Header) {}

void LibraryChoices::Open() {
    if (!openTried_) {
        openTried_ = true;
        file_ = OpenDocumentingFile(documentingPath_);
    }
}

void LibraryChoices::IndexAll() {
    indexAll_ = true;
    Open();
    if (file_.opened) {
        file_.lines.IndexAll();
    }
    for (auto& [path, lines] : otherFiles_) {
        lines.IndexAll();
    }
}

DocumentLines& LibraryChoices::OtherFile(const std::string& path) {
    const auto known = otherFiles_.find(path);
    if (known != otherFiles_.end()) {
        return known->second;
    }
    TextFile file;
    DocumentLines& lines = otherFiles_[path];
    if (file.Open(path)) {
        lines = DocumentLines(std::move(file));
        if (indexAll_) {
            lines.IndexAll();
        }
    }
    return lines;
}

DocumentLines* LibraryChoices::WholeLines(const std::string& path) {
    // Only a library checked whole has its files read to their ends.
    if (!indexAll_) {
        return nullptr;
    }
    DocumentLines* lines = nullptr;
    if (file_.opened && file_.path == path) {
        lines = &file_.lines;
    } else if (const auto known = otherFiles_.find(path); known != otherFiles_.end()) {
        lines = &known->second;
    }
    if (lines == nullptr || !lines->FromOpenFile() || lines->ReadFailed()) {
        return nullptr;
    }
    lines->Count();
    return lines;
}

void LibraryChoices::AddDeclarations(const std::string& path) {
    if (declarations_->HasRead(path)) {
        return;
    }
    if (const DocumentLines* lines = WholeLines(path)) {
        declarations_->AddLines(path, *lines);
    } else {
        declarations_->AddFile(path);
    }
}

bool LibraryChoices::ScanEntries(EntrySink onEntry) {
    if (libraryPath_.empty()) {
        return false;
    }
    // A library that documents itself (no ".h" to turn into ".c") is the
    // documenting file when it opens as given.
    DocumentLines* lines = nullptr;
    if (libraryPath_ == documentingPath_) {
        Open();
        if (file_.opened && file_.path == libraryPath_) {
            lines = &file_.lines;
        }
    }
    if (lines == nullptr) {
        lines = &OtherFile(libraryPath_);
    }
    const std::size_t count = lines->Count();
    if (!lines->FromOpenFile() || lines->ReadFailed()) {
        return false;
    }
    if (vendorMode_) {
        // A library checked whole has its index built for the lookups
        // anyway: the index tells which names were listed already.
        std::shared_ptr<const VendorFunctionIndex> known;
        std::optional<VendorEntries> entries;
        if (indexAll_) {
            known = IndexOf(*lines, libraryPath_);
            entries.emplace(*known);
        } else {
            entries.emplace();
        }
        for (std::size_t i = 0; i < count; ++i) {
            entries->Feed(lines->RawText(i), onEntry);
        }
        return true;
    }
    FunctionScanner scanner(LibraryKindOf(libraryPath_));
    for (std::size_t i = 0; i < count; ++i) {
        if (const std::optional<std::string_view> entry = scanner.Scan(lines->RawText(i))) {
            onEntry(*entry);
        }
    }
    return true;
}

DocumentLines* LibraryChoices::LookUpInVendorPlaces(const std::string& entry,
                                                    FunctionChoice& choice) {
    if (!sourceFolderPaths_) {
        sourceFolderPaths_ = SiblingSourcePaths(documentingPath_);
    }
    for (const std::string& path : *sourceFolderPaths_) {
        DocumentLines& lines = OtherFile(path);
        PrototypeLookup lookup = LookUpInLines(lines, path, entry);
        if (lookup.outcome == LookupOutcome::Found) {
            choice.lookup = std::move(lookup);
            choice.route = DocumentationRoute::SourceFolder;
            return &lines;
        }
    }
    // The header documents the function itself only where a block stands
    // right before its prototype; an assembler library was read already.
    if (libraryPath_ == documentingPath_) {
        return nullptr;
    }
    // The block is collected only once it is known to be one: a header
    // that documents nothing would otherwise give its whole text each time.
    DocumentLines& lines = OtherFile(libraryPath_);
    const std::optional<std::size_t> match = lines.FirstLookupMatch(entry);
    if (!match || !BlockStandsBeforePrototype(lines, lines.BlockStart(*match), entry)) {
        return nullptr;
    }
    choice.lookup.outcome = LookupOutcome::Found;
    choice.lookup.path = libraryPath_;
    choice.lookup.text = ExpandedText(lines, lines.BlockStart(*match), lines.BlockEnd(*match));
    choice.route = DocumentationRoute::Header;
    return &lines;
}

const std::shared_ptr<const VendorFunctionIndex>& LibraryChoices::IndexOf(DocumentLines& lines,
                                                                          const std::string& path) {
    std::shared_ptr<const VendorFunctionIndex>& index = vendorIndexes_[path];
    if (index == nullptr) {
        index = std::make_shared<const VendorFunctionIndex>(lines);
    }
    return index;
}

bool LibraryChoices::TakeOwnBlock(DocumentLines& lines, const std::string& path,
                                  const std::string& name, DocumentationRoute route,
                                  FunctionChoice& choice, ChoiceMemory& memory,
                                  std::optional<LineRange>& block) {
    if (!lines.FromOpenFile()) {
        return false;
    }
    const VendorFunctionIndex& index = *IndexOf(lines, path);
    if (memory.hintIndex != &index) {
        memory.hintIndex = &index;
        memory.hintNext = 0;
    }
    block = OwnBlock(lines, index.Find(name, memory.hintNext));
    if (!block) {
        return false;
    }
    choice.lookup.outcome = LookupOutcome::Found;
    choice.lookup.path = path;
    choice.lookup.text = ExpandedText(lines, block->begin, block->end);
    choice.route = route;
    return true;
}

DocumentLines* LibraryChoices::LookUpVendorBlock(const std::string& entry, FunctionChoice& choice,
                                                 ChoiceMemory& memory,
                                                 std::optional<LineRange>& block) {
    const std::string name = VendorFunctionName(entry);
    Open();
    std::string sourcesRead;  // the sources that exist, for the note below
    if (!name.empty()) {
        if (file_.opened &&
            TakeOwnBlock(file_.lines, file_.path, name, RouteOfForm(documentingPath_, file_.path),
                         choice, memory, block)) {
            return &file_.lines;
        }
        if (!sourceFolderPaths_) {
            sourceFolderPaths_ = SiblingSourcePaths(documentingPath_);
        }
        for (const std::string& path : *sourceFolderPaths_) {
            DocumentLines& lines = OtherFile(path);
            if (TakeOwnBlock(lines, path, name, DocumentationRoute::SourceFolder, choice, memory,
                             block)) {
                return &lines;
            }
            if (lines.FromOpenFile() && path != file_.path) {
                sourcesRead += path + " or ";
            }
        }
        DocumentLines& header = OtherFile(libraryPath_);
        if (TakeOwnBlock(header, libraryPath_, name, DocumentationRoute::Header, choice, memory,
                         block)) {
            return &header;
        }
    }
    // A header without its ".c" is normal here: said once, in the text
    // shown, naming only files that exist.
    PrototypeLookup& lookup = choice.lookup;
    lookup.outcome = file_.opened ? LookupOutcome::NotFound : LookupOutcome::NoSource;
    lookup.path = file_.opened ? file_.path : libraryPath_;
    const std::string function = name.empty() ? entry : name;
    if (file_.opened) {
        sourcesRead.insert(0, file_.path + " or ");
    }
    lookup.text = sourcesRead.empty() ? "No .c beside the header, and no documentation block "
                                        "stands before " +
                                            function + " in it.\n"
                                      : "No documentation block stands before " + function +
                                            " in " + sourcesRead + libraryPath_ + ".\n";
    return nullptr;
}

DocumentLines* LibraryChoices::LookUpInto(const std::string& entry, FunctionChoice& choice,
                                          ChoiceMemory& memory, std::optional<LineRange>& block) {
    choice.documentingPath = documentingPath_;
    choice.parameterHelperFolder = FolderOf(startupLibrary_);
    choice.vendorMode = vendorMode_;
    block.reset();
    PrototypeLookup& lookup = choice.lookup;
    DocumentLines* lines = nullptr;
    if (vendorMode_ && !documentingPath_.empty() && !entry.empty()) {
        lines = LookUpVendorBlock(entry, choice, memory, block);
        choice.documentationRead = lines != nullptr;
        return lines;
    }
    if (documentingPath_.empty() || entry.empty()) {
        lookup.outcome = LookupOutcome::EmptyInput;
        lookup.path = documentingPath_;
        lookup.text = std::string(kNoText);
        choice.documentationRead = CanOpenForReading(lookup.path);
    } else {
        Open();
        if (file_.opened) {
            lines = &file_.lines;
            lookup = LookUpInLines(*lines, file_.path, entry);
            choice.documentationRead = true;
            if (lookup.outcome == LookupOutcome::Found) {
                choice.route = RouteOfForm(documentingPath_, file_.path);
            }
        } else {
            lookup.outcome = LookupOutcome::NoSource;
            lookup.path = file_.path;
            lookup.text = std::string(kNoText);
        }
        // Vendors keep sources in a folder beside the headers, or document
        // in the header: tried before anything is reported.
        if (lookup.outcome != LookupOutcome::Found) {
            const LookupOutcome besideHeader = lookup.outcome;
            if (DocumentLines* found = LookUpInVendorPlaces(entry, choice)) {
                lines = found;
                choice.documentationRead = true;
            } else if (besideHeader == LookupOutcome::NoSource) {
                choice.messages.push_back(NoSourceMessage(documentingPath_));
            }
        }
    }
    if (lookup.outcome != LookupOutcome::Found) {
        choice.messages.push_back(NotFoundMessage(entry, documentingPath_));
    }
    return lines;
}

bool LibraryChoices::ForgetFailedRead(DocumentLines* lines) {
    if (lines == nullptr || !lines->ReadFailed()) {
        return false;
    }
    // Only the index of that file goes: another's may be in use (a list
    // of the header's entries asks its index while the lookups run).
    if (lines == &file_.lines) {
        file_.opened = false;
        vendorIndexes_.erase(file_.path);
    } else {
        *lines = DocumentLines();
        for (const auto& [path, other] : otherFiles_) {
            if (&other == lines) {
                vendorIndexes_.erase(path);
            }
        }
    }
    return true;
}

FunctionChoice LibraryChoices::LookUp(const std::string& entry) {
    FunctionChoice choice;
    std::optional<LineRange> block;
    if (ForgetFailedRead(LookUpInto(entry, choice, memory_, block))) {
        return LookUp(entry);
    }
    return choice;
}

FunctionChoice LibraryChoices::Choose(const std::string& entry) {
    return Choose(entry, memory_);
}

FunctionChoice LibraryChoices::Choose(const std::string& entry, ChoiceMemory& memory) {
    FunctionChoice choice;
    std::optional<LineRange> block;
    DocumentLines* found = LookUpInto(entry, choice, memory, block);
    const PrototypeLookup& lookup = choice.lookup;
    if (!choice.documentationRead && !vendorMode_) {
        choice.messages.push_back("Could not find " + lookup.path);
    }

    if (vendorMode_) {
        choice.documentation =
            block && found != nullptr
                ? ParseDocumentationBlock(*found, block->begin, block->end, entry)
                : RecordFromEntry(entry);
    } else {
        // The parse runs only on a block longer than the failure marker kNoText.
        const bool lookupSucceeded = choice.documentationRead && lookup.text.size() > 2;
        DocumentLines noLines;
        choice.documentation =
            ParseDocumentation(found != nullptr ? *found : noLines, entry, lookupSucceeded);
    }
    if (ForgetFailedRead(found)) {
        return Choose(entry, memory);
    }
    PresetSlots(choice.documentation);
    // Most functions of a library name the same helper, or none (kNoText):
    // each place is tried once.
    choice.helper = HelperPlace(lookup.path, choice.documentation.helperName);
    if (choice.helper.looked) {
        const auto [known, added] = memory.helpersFound.try_emplace(choice.helper.path, false);
        if (added) {
            known->second = CanOpenForReading(choice.helper.path);
        }
        choice.helper.exists = known->second;
    }

    // Declarations come from the header and the file that documents the
    // function, each read once for as long as the caller keeps them.
    AddDeclarations(libraryPath_);
    if (choice.Found()) {
        AddDeclarations(lookup.path);
    }
    // Names declared in neither are looked for in the library's whole tree.
    if (!preparedForThreads_) {
        LookFurtherInTree();
    }
    static const std::string noBlock;
    choice.suggestions = SuggestForFunction(
        choice.documentation, choice.Found() ? lookup.text : noBlock, entry, *declarations_);
    return choice;
}

void LibraryChoices::LookFurtherInTree() {
    // The tree is found once for all the choices of the library.
    declarations_->LookFurtherIn([tree = tree_] {
        if (!tree->declarations) {
            tree->declarations = DeclarationTreeOf(tree->libraryPath);
        }
        return tree->declarations.get();
    });
}

bool LibraryChoices::PrepareForThreads(const RunBoth& runBoth) {
    if (!vendorMode_ || !indexAll_ || documentingPath_.empty()) {
        return false;
    }
    Open();
    if (!sourceFolderPaths_) {
        sourceFolderPaths_ = SiblingSourcePaths(documentingPath_);
    }
    // Every file LookUpVendorBlock may take a block from, in its order.
    std::vector<std::pair<DocumentLines*, std::string>> files;
    if (file_.opened) {
        files.emplace_back(&file_.lines, file_.path);
    }
    for (const std::string& path : *sourceFolderPaths_) {
        files.emplace_back(&OtherFile(path), path);
    }
    files.emplace_back(&OtherFile(libraryPath_), libraryPath_);
    std::erase_if(files, [](const auto& file) { return !file.first->FromOpenFile(); });
    for (const auto& [lines, path] : files) {
        lines->Count();
        if (lines->ReadFailed()) {
            return false;
        }
    }
    // Two pieces of work over lines read whole, which touch nothing of each
    // other's: the indexes, and the declarations.
    runBoth(
        [this, &files] {
            for (const auto& [lines, path] : files) {
                IndexOf(*lines, path);
            }
        },
        [this, &files] {
            for (const auto& file : files) {
                AddDeclarations(file.second);
            }
            AddDeclarations(libraryPath_);
            LookFurtherInTree();
            declarations_->Wider();
        });
    preparedForThreads_ = true;
    return true;
}

FunctionChoice LookUpFunction(const std::string& libraryPath, const std::string& entry,
                              bool vendorMode) {
    LibraryChoices library(libraryPath, "", nullptr, vendorMode);
    return library.LookUp(entry);
}

FunctionChoice ChooseFunction(const FunctionRequest& request) {
    LibraryChoices library(request.libraryPath, request.startupLibrary, request.declarations,
                           request.vendorMode);
    return library.Choose(request.entry);
}

}  // namespace quill
