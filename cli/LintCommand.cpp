// quill-cli lint LIBRARY: for every function of a library, whether its
// documentation block is found and the form of each parameter, with a
// warning for every entry the parser reads differently from what it says.

#include <CLI/CLI.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "core/ChooseFunction.h"
#include "core/docs/ChoiceForms.h"
#include "core/docs/DocumentationLint.h"
#include "core/library/FunctionScanner.h"
#include "core/text/NoText.h"

namespace quill::cli {

namespace {

// What a library's functions have, counted over all of them.
struct Coverage {
    std::size_t functions = 0;
    std::map<DocumentationRoute, std::size_t> documented;  // by the route that found it
    std::size_t parameters = 0;
    std::size_t withChoiceText = 0;
    std::size_t withSuggestions = 0;
    std::size_t warnings = 0;

    std::size_t Documented() const {
        std::size_t count = 0;
        for (const auto& [route, functions] : documented) {
            count += functions;
        }
        return count;
    }
};

std::string DocumentationLine(const FunctionChoice& choice) {
    switch (choice.lookup.outcome) {
        case LookupOutcome::Found: {
            std::string line = "found in " + choice.lookup.path;
            if (choice.route == DocumentationRoute::SourceFolder ||
                choice.route == DocumentationRoute::Header) {
                line += std::string(" (") + DocumentationRouteName(choice.route) + ")";
            }
            return choice.documentationRead ? line : line + ", not readable";
        }
        case LookupOutcome::NotFound:
            return "not found in " + choice.lookup.path;
        case LookupOutcome::NoSource:
            return "no documenting file (" + choice.documentingPath + " or .c)";
        case LookupOutcome::EmptyInput:
            break;
    }
    return "not looked up";
}

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

// One parameter's line: its form, and the values vendor documentation suggests.
std::string ParameterLine(const ParameterDescription& parameter, const Suggestions& suggestions) {
    std::string line = "  " + parameter.name + ": " + FormName(FormOf(parameter.choiceText));
    if (IsRangeForm(parameter.choiceText)) {
        line += " range";
    }
    if (!suggestions.Empty()) {
        line += std::string(", suggests ") + SuggestionKindName(suggestions.kind) + " ";
        for (std::size_t i = 0; i < suggestions.values.size(); ++i) {
            line += (i == 0 ? "" : ",") + suggestions.values[i];
        }
        line += " (" + suggestions.source + ")";
    }
    return line + "\n";
}

// Lints one function and counts it; prints its lines unless `quiet`.
void LintFunction(LibraryChoices& library, const std::string& entry, bool quiet,
                  Coverage& coverage) {
    const auto write = [quiet](const std::string& text) {
        if (!quiet) {
            WriteOut(text);
        }
    };
    const FunctionChoice choice = library.Choose(entry);
    ++coverage.functions;
    write(entry + "\n");
    write("  documentation: " + DocumentationLine(choice) + "\n");
    if (!choice.Found()) {
        return;
    }
    ++coverage.documented[choice.route];

    const FunctionDocumentation& documentation = choice.documentation;
    if (documentation.parameterCount == 0) {
        write("  parameters: none\n");
    }
    for (int k = 0; k < documentation.parameterCount && k < kMaxParameters; ++k) {
        const ParameterDescription& parameter = documentation.parameters[k];
        ++coverage.parameters;
        coverage.withChoiceText += parameter.choiceText.empty() ? 0 : 1;
        coverage.withSuggestions += choice.suggestions[k].Empty() ? 0 : 1;
        write(ParameterLine(parameter, choice.suggestions[k]));
    }
    if (documentation.helperName != kNoText) {
        write(HelperLine(choice));
    }

    const std::vector<LintWarning> warnings = LintDocumentation(choice.lookup.text, documentation);
    for (const LintWarning& warning : warnings) {
        write("  warning: " + warning.message + " [" + LintRuleName(warning.rule) + "]\n");
        write("    | " + warning.lineText + "\n");
    }
    coverage.warnings += warnings.size();
}

void WriteSummary(const std::string& libraryPath, const Coverage& coverage) {
    WriteOut(libraryPath + "\n");
    WriteOut("  functions: " + std::to_string(coverage.functions) + "\n");
    std::string routes;
    for (const auto& [route, count] : coverage.documented) {
        routes += (routes.empty() ? " (" : ", ") + std::string(DocumentationRouteName(route)) +
                  " " + std::to_string(count);
    }
    WriteOut("  documentation found: " + std::to_string(coverage.Documented()) +
             (routes.empty() ? "" : routes + ")") + "\n");
    WriteOut("  parameters: " + std::to_string(coverage.parameters) + "\n");
    WriteOut("  with a choice text: " + std::to_string(coverage.withChoiceText) + "\n");
    WriteOut("  with suggestions: " + std::to_string(coverage.withSuggestions) + "\n");
    WriteOut("  warnings: " + std::to_string(coverage.warnings) + "\n");
}

int LintLibrary(const std::string& libraryPath, bool summary) {
    // The entries one after the other in one string, with where each ends:
    // hundreds of thousands of them cost little more than their bytes.
    std::string entries;
    std::vector<std::uint32_t> ends;  // a library is at most 1 GiB
    const bool opened = ScanLibraryFile(libraryPath, [&](std::string_view entry) {
        entries.append(entry);
        ends.push_back(static_cast<std::uint32_t>(entries.size()));
    });
    if (!opened) {
        Report(LibraryUnavailableMessage(libraryPath));
        return kExitFailed;
    }
    // Nothing to check is no pass: a UTF-16 or binary file, for instance,
    // yields no entry (its first NUL byte ends the scan).
    if (ends.empty()) {
        Report("No function entries in " + libraryPath + ".");
        return kExitFailed;
    }
    LibraryChoices library(libraryPath, "");
    library.IndexAll();
    Coverage coverage;
    for (std::size_t i = 0, begin = 0; i < ends.size(); begin = ends[i++]) {
        LintFunction(library, entries.substr(begin, ends[i] - begin), summary, coverage);
    }
    if (summary) {
        WriteSummary(libraryPath, coverage);
    }
    int status = kExitOk;
    if (coverage.Documented() == 0) {
        Report("No function of " + libraryPath + " has documentation.");
        status = kExitFailed;
    }
    if (coverage.warnings > 0) {
        Report(std::to_string(coverage.warnings) +
               (coverage.warnings == 1 ? " warning" : " warnings") + " in " + libraryPath + ".");
        status = kExitFailed;
    }
    return status;
}

int RunLint(const std::vector<std::string>& libraryPaths, bool summary) {
    int status = kExitOk;
    for (const std::string& libraryPath : libraryPaths) {
        if (LintLibrary(libraryPath, summary) != kExitOk) {
            status = kExitFailed;
        }
    }
    return status;
}

}  // namespace

void AddLintCommand(CLI::App& app, int& status) {
    auto libraryPaths = std::make_shared<std::vector<std::string>>();
    auto summary = std::make_shared<bool>(false);
    CLI::App* command = app.add_subcommand(
        "lint",
        "Check the documentation of every function of each library: whether its block is found "
        "and where, the form of each parameter and the values vendor-style documentation "
        "suggests, and warnings for entries that silently give a free entry field (exit status "
        "1 when it warned, or when a library has no function entries or none of its functions "
        "has documentation).");
    command->add_option("LIBRARY", *libraryPaths, "header (.h) or assembler library")->required();
    command->add_flag("--summary", *summary,
                      "print per library only the counts: functions, documentation found and "
                      "where, parameters with a choice text and with suggestions, warnings");
    command->callback(
        [libraryPaths, summary, &status] { status = RunLint(*libraryPaths, *summary); });
}

}  // namespace quill::cli
