#include "params/ChooseFunction.h"

#include <utility>

#include "params/ChoiceForms.h"
#include "params/DocumentationParser.h"
#include "source/FileBytes.h"
#include "source/PathText.h"

namespace quill {

namespace {

// A helper's folder must end at position 5 or later: a separator nearer the
// start belongs to a drive or a root, not to a library folder.
constexpr std::size_t kHelperFolderFrom = 5;

void PresetSlots(FunctionDocumentation& documentation) {
    for (int k = 0; k < documentation.parameterCount && k < kMaxParameters; ++k) {
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

}  // namespace

HelperProgram LookForHelper(const std::string& documentationPath, const std::string& helperName) {
    HelperProgram helper;
    const std::size_t separator = LastSeparator(documentationPath);
    if (separator == std::string::npos || separator < kHelperFolderFrom) {
        return helper;
    }
    helper.looked = true;
    helper.path = documentationPath.substr(0, separator + 1) + helperName;
    helper.exists = CanOpenForReading(helper.path);
    return helper;
}

LibraryChoices::LibraryChoices(std::string libraryPath, std::string startupLibrary)
    : libraryPath_(std::move(libraryPath)),
      startupLibrary_(std::move(startupLibrary)),
      documentingPath_(SourcePathForHeader(libraryPath_)) {}

void LibraryChoices::Open() {
    if (!openTried_) {
        openTried_ = true;
        file_ = OpenDocumentingFile(documentingPath_);
    }
}

void LibraryChoices::IndexAll() {
    Open();
    if (file_.opened) {
        file_.lines.IndexAll();
    }
}

FunctionChoice LibraryChoices::Choose(const std::string& entry) {
    FunctionChoice choice;
    choice.documentingPath = documentingPath_;
    choice.parameterHelperFolder = FolderOf(startupLibrary_);
    PrototypeLookup& lookup = choice.lookup;
    DocumentLines noLines;
    DocumentLines* lines = &noLines;
    if (documentingPath_.empty() || entry.empty()) {
        lookup.outcome = LookupOutcome::EmptyInput;
        lookup.path = documentingPath_;
        lookup.text.assign(1, '-');
        choice.documentationRead = CanOpenForReading(lookup.path);
    } else {
        Open();
        if (file_.opened) {
            lines = &file_.lines;
            lookup = LookUpInLines(*lines, file_.path, entry);
            choice.documentationRead = true;
        } else {
            lookup.outcome = LookupOutcome::NoSource;
            lookup.path = file_.path;
            lookup.text.assign(1, '-');
            choice.messages.push_back(NoSourceMessage(documentingPath_));
        }
    }
    if (lookup.outcome != LookupOutcome::Found) {
        choice.messages.push_back(NotFoundMessage(entry, documentingPath_));
    }
    if (!choice.documentationRead) {
        choice.messages.push_back("Could not find " + lookup.path);
    }

    // The parse runs only on a block longer than the failure marker "-".
    const bool lookupSucceeded = choice.documentationRead && lookup.text.size() > 2;
    choice.documentation = ParseDocumentation(*lines, entry, lookupSucceeded);
    PresetSlots(choice.documentation);
    choice.helper = LookForHelper(lookup.path, choice.documentation.helperName);
    return choice;
}

FunctionChoice ChooseFunction(const FunctionRequest& request) {
    LibraryChoices library(request.libraryPath, request.startupLibrary);
    return library.Choose(request.entry);
}

}  // namespace quill
