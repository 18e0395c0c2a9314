#include "cli/FunctionChoice.h"

#include <utility>

#include "params/ChoiceForms.h"

namespace quill::cli {

FunctionChoice ChooseFunction(const std::string& libraryPath, const std::string& entry) {
    const std::string documentingPath = SourcePathForHeader(libraryPath);
    PrototypeLookup lookup = LookUpPrototypeText(documentingPath, entry);
    // The window parses only when the lookup left more than two characters.
    DocumentationParse parse =
        ParseFunctionDocumentation(lookup.path, entry, lookup.text.size() > 2);
    return CompleteChoice(documentingPath, entry, std::move(lookup), std::move(parse));
}

FunctionChoice CompleteChoice(const std::string& documentingPath, const std::string& entry,
                              PrototypeLookup lookup, DocumentationParse parse) {
    FunctionChoice choice;
    choice.documentingPath = documentingPath;
    choice.lookup = std::move(lookup);
    choice.parse = std::move(parse);
    if (choice.lookup.outcome == LookupOutcome::NoSource) {
        choice.messages.push_back(NoSourceMessage(documentingPath));
    }
    if (choice.lookup.outcome != LookupOutcome::Found) {
        choice.messages.push_back(NotFoundMessage(entry, documentingPath));
    }
    if (!choice.parse.fileOpened) {
        choice.messages.push_back("Could not find " + choice.lookup.path);
    }

    // A flags parameter's entry field starts with the first value.
    FunctionDocumentation& documentation = choice.parse.documentation;
    for (int k = 0; k < documentation.parameterCount && k < kMaxParameters; ++k) {
        ParameterDescription& parameter = documentation.parameters[k];
        if (FormOf(parameter.choiceText) == ChoiceForm::Flags) {
            parameter.editText = FirstFlag(parameter.choiceText);
        }
    }
    return choice;
}

std::string HelperProgramPath(const FunctionChoice& choice) {
    const std::string& helper = choice.parse.documentation.helperName;
    if (helper.empty() || helper == "-") {
        return {};
    }
    const std::string& path = choice.lookup.path;
    const std::size_t separator = path.find_last_of("/\\");
    const std::string folder =
        separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    return folder + helper;
}

}  // namespace quill::cli
