// quill-cli lint LIBRARY: for every function of a library, whether its
// documentation block is found and the form of each parameter, with a
// warning for every entry the parser reads differently from what it says.

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "params/ChoiceForms.h"
#include "params/ChooseFunction.h"
#include "params/DocumentationLint.h"
#include "source/FunctionScanner.h"

namespace quill::cli {

namespace {

std::string DocumentationLine(const FunctionChoice& choice) {
    switch (choice.lookup.outcome) {
        case LookupOutcome::Found:
            return choice.documentationRead ? "found in " + choice.lookup.path
                                            : "found in " + choice.lookup.path + ", not readable";
        case LookupOutcome::NotFound:
            return "not found in " + choice.lookup.path;
        case LookupOutcome::NoSource:
            return "no documenting file (" + choice.documentingPath + " or .c)";
        case LookupOutcome::EmptyInput:
            break;
    }
    return "not looked up";
}

// Lints one function; returns the number of warnings.
// The helper line: its name, and where it was looked for when it is not there.
std::string HelperLine(const FunctionChoice& choice) {
    const HelperProgram& helper = choice.helper;
    std::string line = "  helper: " + choice.documentation.helperName;
    if (!helper.looked) {
        line += " (not looked for: " + choice.lookup.path + " names no folder)";
    } else if (!helper.exists) {
        line += " (missing: " + helper.path + ")";
    }
    return line + "\n";
}

std::size_t LintFunction(LibraryChoices& library, const std::string& entry) {
    const FunctionChoice choice = library.Choose(entry);
    WriteOut(entry + "\n");
    WriteOut("  documentation: " + DocumentationLine(choice) + "\n");
    if (!choice.Found()) {
        return 0;
    }

    const FunctionDocumentation& documentation = choice.documentation;
    if (documentation.parameterCount == 0) {
        WriteOut("  parameters: none\n");
    }
    for (int k = 0; k < documentation.parameterCount && k < kMaxParameters; ++k) {
        const ParameterDescription& parameter = documentation.parameters[k];
        std::string form = FormName(FormOf(parameter.choiceText));
        if (IsRangeForm(parameter.choiceText)) {
            form += " range";
        }
        WriteOut("  " + parameter.name + ": " + form + "\n");
    }
    if (documentation.helperName != "-") {
        WriteOut(HelperLine(choice));
    }

    const std::vector<LintWarning> warnings = LintDocumentation(choice.lookup.text, documentation);
    for (const LintWarning& warning : warnings) {
        WriteOut("  warning: " + warning.message + " [" + LintRuleName(warning.rule) + "]\n");
        WriteOut("    | " + warning.lineText + "\n");
    }
    return warnings.size();
}

int RunLint(const std::string& libraryPath) {
    const LibraryScan scan = ScanLibraryFile(libraryPath);
    if (!scan.opened) {
        Report(LibraryUnavailableMessage(libraryPath));
        return kExitFailed;
    }
    if (scan.entries.empty()) {
        Report("No function entries in " + libraryPath + ".");
        return kExitOk;
    }
    LibraryChoices library(libraryPath, "");
    library.IndexAll();
    std::size_t warnings = 0;
    for (const std::string& entry : scan.entries) {
        warnings += LintFunction(library, entry);
    }
    if (warnings == 0) {
        return kExitOk;
    }
    Report(std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") + " in " +
           libraryPath + ".");
    return kExitFailed;
}

}  // namespace

void AddLintCommand(CLI::App& app, int& status) {
    auto libraryPath = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "lint",
        "Check the documentation of every function of a library: whether its block is found, "
        "the form of each parameter, and warnings for entries that silently give a free entry "
        "field (exit status 1 when it warned).");
    command->add_option("LIBRARY", *libraryPath, "header (.h) or assembler library")->required();
    command->callback([libraryPath, &status] { status = RunLint(*libraryPath); });
}

}  // namespace quill::cli
