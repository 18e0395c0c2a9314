// quill-cli lint LIBRARY: for every function of a library, whether its
// documentation block is found and the form of each parameter, with a
// warning for every entry the parser reads differently from what it says.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/TwoThreads.h"
#include "cli/VendorModeOption.h"
#include "core/ChooseFunction.h"
#include "core/docs/ChoiceForms.h"
#include "core/docs/DocumentationLint.h"
#include "core/docs/DocumentationParser.h"
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

// Appends where the documentation was found, or why it was not.
void AppendDocumentationLine(const FunctionChoice& choice, std::string& out) {
    out += "  documentation: ";
    switch (choice.lookup.outcome) {
        case LookupOutcome::Found:
            out.append("found in ").append(choice.lookup.path);
            if (choice.route == DocumentationRoute::SourceFolder ||
                choice.route == DocumentationRoute::Header) {
                out.append(" (").append(DocumentationRouteName(choice.route)).append(")");
            }
            if (!choice.documentationRead) {
                out += ", not readable";
            }
            break;
        case LookupOutcome::NotFound:
            out.append("not found in ").append(choice.lookup.path);
            break;
        case LookupOutcome::NoSource:
            out.append("no documenting file (").append(choice.documentingPath).append(" or .c)");
            break;
        case LookupOutcome::EmptyInput:
            out += "not looked up";
            break;
    }
    out += '\n';
}

// Appends the helper line: its name, and where it was looked for when it is
// not there.
void AppendHelperLine(const FunctionChoice& choice, std::string& out) {
    const HelperProgram& helper = choice.helper;
    out.append("  helper: ").append(choice.documentation.helperName);
    if (!helper.looked) {
        out.append(" (not looked for: ").append(choice.lookup.path).append(" names no folder)");
    } else if (!helper.exists) {
        out.append(" (missing: ").append(helper.path).append(")");
    }
    out += '\n';
}

// Appends one parameter's line: its form, and the values vendor
// documentation suggests.
void AppendParameterLine(const ParameterDescription& parameter, const Suggestions& suggestions,
                         std::string& out) {
    out.append("  ")
        .append(parameter.name)
        .append(": ")
        .append(FormName(FormOf(parameter.choiceText)));
    if (IsRangeForm(parameter.choiceText)) {
        out += " range";
    }
    if (!suggestions.Empty()) {
        out.append(", suggests ").append(SuggestionKindName(suggestions.kind)).append(" ");
        for (std::size_t i = 0; i < suggestions.values.size(); ++i) {
            out.append(i == 0 ? "" : ",").append(suggestions.values[i]);
        }
        out.append(" (").append(suggestions.source).append(")");
    }
    out += '\n';
}

// Lints one function and counts it; appends its lines to `lines`.
void LintFunction(LibraryChoices& library, ChoiceMemory& memory, const std::string& entry,
                  std::string& lines, Coverage& coverage) {
    const FunctionChoice choice = library.Choose(entry, memory);
    ++coverage.functions;
    lines.append(entry).append("\n");
    AppendDocumentationLine(choice, lines);
    if (choice.Found()) {
        ++coverage.documented[choice.route];
        const FunctionDocumentation& documentation = choice.documentation;
        if (documentation.parameterCount == 0) {
            lines += "  parameters: none\n";
        }
        coverage.parameters += static_cast<std::size_t>(documentation.parameterCount);
        for (int k = 0; k < documentation.parameterCount; ++k) {
            const ParameterDescription& parameter = documentation.parameters[k];
            const Suggestions& suggestions = choice.suggestions[k];
            coverage.withChoiceText += parameter.choiceText.empty() ? 0 : 1;
            coverage.withSuggestions += suggestions.Empty() ? 0 : 1;
            AppendParameterLine(parameter, suggestions, lines);
        }
        if (documentation.helperName != kNoText) {
            AppendHelperLine(choice, lines);
        }

        const std::vector<LintWarning> warnings =
            LintDocumentation(choice.lookup.text, documentation);
        for (const LintWarning& warning : warnings) {
            lines.append("  warning: ").append(warning.message).append(" [");
            lines.append(LintRuleName(warning.rule)).append("]\n");
            lines.append("    | ").append(warning.lineText).append("\n");
        }
        coverage.warnings += warnings.size();
    }
}

void Add(Coverage& into, const Coverage& part) {
    into.functions += part.functions;
    for (const auto& [route, count] : part.documented) {
        into.documented[route] += count;
    }
    into.parameters += part.parameters;
    into.withChoiceText += part.withChoiceText;
    into.withSuggestions += part.withSuggestions;
    into.warnings += part.warnings;
}

// Lints the entries of a library in batches, in file order. With `threads`
// (see LibraryChoices::PrepareForThreads) a second thread checks the larger
// part of each batch while this one checks the rest and then reads the
// next batch; the lines come out in file order all the same.
class BatchLint {
public:
    BatchLint(CliOutput& output, LibraryChoices& library, bool quiet, bool threads)
        : output_(output), library_(library), quiet_(quiet), threads_(threads) {}

    void Add(std::string_view entry) {
        entries_.emplace_back(entry);
        if (entries_.size() == kBatch) {
            Flush();
        }
    }

    // Lints the entries held; prints their lines and counts them, those of
    // the batch the second thread works on when the next comes or Finish.
    void Flush() {
        PrintShared();
        if (!threads_ || entries_.size() < kFewestShared) {
            first_.Clear();
            LintPart(entries_, 0, entries_.size(), memories_[0], first_);
            Print(first_);
            entries_.clear();
            return;
        }
        shared_.swap(entries_);
        entries_.clear();
        const std::size_t split = shared_.size() * kOwnPercent / 100;
        first_.Clear();
        second_.Clear();
        other_.Start(
            [this, split] { LintPart(shared_, split, shared_.size(), memories_[1], second_); });
        LintPart(shared_, 0, split, memories_[0], first_);
        sharedPending_ = true;
    }

    // Lints what is left and prints it.
    void Finish() {
        Flush();
        PrintShared();
    }

    const Coverage& Counted() const { return coverage_; }

private:
    // Batches of a few thousand entries keep little in memory and give
    // each thread enough work to be worth starting.
    static constexpr std::size_t kBatch = 4096;
    static constexpr std::size_t kFewestShared = 256;
    // This thread's part of a shared batch: it reads the next one as well.
    static constexpr std::size_t kOwnPercent = 46;

    // Kept from one batch to the next, with the room of its lines.
    struct Part {
        std::string lines;
        Coverage coverage;
        void Clear() {
            lines.clear();
            coverage = Coverage();
        }
    };

    void LintPart(const std::vector<std::string>& entries, std::size_t begin, std::size_t end,
                  ChoiceMemory& memory, Part& part) {
        for (std::size_t i = begin; i < end; ++i) {
            LintFunction(library_, memory, entries[i], part.lines, part.coverage);
        }
    }

    // Prints the lines of `part` unless quiet, and counts them.
    void Print(const Part& part) {
        if (!quiet_) {
            output_.Out(part.lines);
        }
        quill::cli::Add(coverage_, part.coverage);
    }

    void PrintShared() {
        if (sharedPending_) {
            sharedPending_ = false;
            other_.Wait();
            Print(first_);
            Print(second_);
        }
    }

    CliOutput& output_;
    LibraryChoices& library_;
    const bool quiet_;
    const bool threads_;
    std::vector<std::string> entries_;
    ChoiceMemory memories_[2];  // one for each thread
    Coverage coverage_;
    // The batch the second thread works on, and the two parts of its lines.
    std::vector<std::string> shared_;
    Part first_;
    Part second_;
    bool sharedPending_ = false;
    SecondThread other_;  // last: it is waited for before the rest goes
};

void WriteSummary(CliOutput& output, const std::string& libraryPath, const Coverage& coverage,
                  bool vendorMode) {
    output.Out(libraryPath + "\n");
    output.Out(std::string("  vendor mode: ") + VendorModeName(vendorMode) + "\n");
    output.Out("  functions: " + std::to_string(coverage.functions) + "\n");
    std::string routes;
    for (const auto& [route, count] : coverage.documented) {
        routes += (routes.empty() ? " (" : ", ") + std::string(DocumentationRouteName(route)) +
                  " " + std::to_string(count);
    }
    output.Out("  documentation found: " + std::to_string(coverage.Documented()) +
               (routes.empty() ? "" : routes + ")") + "\n");
    output.Out("  parameters: " + std::to_string(coverage.parameters) + "\n");
    output.Out("  with a choice text: " + std::to_string(coverage.withChoiceText) + "\n");
    output.Out("  with suggestions: " + std::to_string(coverage.withSuggestions) + "\n");
    output.Out("  warnings: " + std::to_string(coverage.warnings) + "\n");
}

// Libraries from this size on (some thousands of functions) are checked on
// two threads.
constexpr std::uintmax_t kTwoThreadsFrom = 1 << 20;

int LintLibrary(CliOutput& output, const std::string& libraryPath, bool summary, VendorMode mode) {
    // The entries come from the lines the lookups read, one at a time: the
    // library is read once and its entries are never all held.
    const bool vendorMode = UsesVendorMode(libraryPath, mode);
    LibraryChoices library(libraryPath, "", nullptr, vendorMode);
    library.IndexAll();
    // A large library is checked on two threads, its index and its
    // declarations read on two as well; a small one reads only what its
    // functions need.
    std::error_code sizeUnknown;
    const bool large =
        std::filesystem::file_size(libraryPath, sizeUnknown) >= kTwoThreadsFrom && !sizeUnknown;
    BatchLint lint(output, library, summary,
                   large && TwoThreadsRun() && library.PrepareForThreads(RunBoth));
    const bool opened = library.ScanEntries([&lint](std::string_view entry) { lint.Add(entry); });
    lint.Finish();
    const Coverage& coverage = lint.Counted();
    if (!opened) {
        output.Report(LibraryUnavailableMessage(libraryPath));
        return kExitFailed;
    }
    // Nothing to check is no pass: a UTF-16 or binary file, for instance,
    // yields no entry (its first NUL byte ends the scan).
    if (coverage.functions == 0) {
        output.Report("No function entries in " + libraryPath + ".");
        return kExitFailed;
    }
    if (summary) {
        WriteSummary(output, libraryPath, coverage,
                     vendorMode && LibraryKindOf(libraryPath) == LibraryKind::Header);
    }
    int status = kExitOk;
    if (coverage.Documented() == 0) {
        output.Report("No function of " + libraryPath + " has documentation.");
        status = kExitFailed;
    }
    if (coverage.warnings > 0) {
        output.Report(std::to_string(coverage.warnings) +
                      (coverage.warnings == 1 ? " warning" : " warnings") + " in " + libraryPath +
                      ".");
        status = kExitFailed;
    }
    return status;
}

int RunLint(CliOutput& output, const std::vector<std::string>& libraryPaths, bool summary,
            VendorMode mode) {
    int status = kExitOk;
    for (const std::string& libraryPath : libraryPaths) {
        if (LintLibrary(output, libraryPath, summary, mode) != kExitOk) {
            status = kExitFailed;
        }
    }
    return status;
}

}  // namespace

void AddLintCommand(CLI::App& app, CliOutput& output, int& status) {
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
    auto mode = AddVendorModeOption(*command);
    command->callback([libraryPaths, summary, mode, &output, &status] {
        status = RunLint(output, *libraryPaths, *summary, *mode);
    });
}

}  // namespace quill::cli
