// quill-cli params LIBRARY ENTRY [--json]: the parsed documentation of one
// function, as the window holds it once the function is chosen.

#include <CLI/CLI.hpp>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/VendorModeOption.h"
#include "core/ChooseFunction.h"
#include "core/docs/ChoiceForms.h"
#include "core/text/NoText.h"

namespace quill::cli {

namespace {

struct ParamsOptions {
    std::string libraryPath;
    std::string entry;
    bool json = false;
    VendorMode mode = VendorMode::Auto;
};

void WriteField(CliOutput& output, const std::string& key, const std::string& value) {
    output.Out(key);
    output.Out(": ");
    output.Out(value);
    output.Out("\n");
}

// "list", "flags", "helper" or "free", then " range" for a range.
std::string FormText(const std::string& choiceText) {
    std::string form = FormName(FormOf(choiceText));
    if (IsRangeForm(choiceText)) {
        form += " range";
    }
    return form;
}

// The helper program the window would offer: its path, or kNoText.
std::string HelperText(const HelperProgram& helper) {
    return helper.looked ? helper.Offered() : std::string(kNoText);
}

// Suggested values joined with ",".
std::string JoinedValues(const Suggestions& suggestions) {
    std::string joined;
    for (const std::string& value : suggestions.values) {
        joined += (joined.empty() ? "" : ",") + value;
    }
    return joined;
}

// The values that exist only on some chips, each with what decides it:
// "A: cond; B: cond" ("" when every value exists everywhere).
std::string ChipDependentValues(const Suggestions& suggestions) {
    std::string joined;
    for (std::size_t k = 0; k < suggestions.values.size(); ++k) {
        if (!suggestions.ConditionOf(k).empty()) {
            joined += (joined.empty() ? "" : "; ") + suggestions.values[k] + ": " +
                      suggestions.ConditionOf(k);
        }
    }
    return joined;
}

std::string KindText(const Suggestions& suggestions) {
    return suggestions.Empty() ? std::string() : SuggestionKindName(suggestions.kind);
}

// The file the documentation was read from, or "" when none was found.
std::string DocumentationFile(const FunctionChoice& choice) {
    return choice.Found() ? choice.lookup.path : std::string();
}

const Suggestions& SuggestionsOf(const FunctionChoice& choice, std::size_t k) {
    static const Suggestions kNone;
    return k < choice.suggestions.size() ? choice.suggestions[k] : kNone;
}

void WriteLines(CliOutput& output, const FunctionChoice& choice) {
    const FunctionDocumentation& documentation = choice.documentation;
    WriteField(output, "functionName", documentation.functionName);
    WriteField(output, "returnType", documentation.returnType);
    WriteField(output, "parameterCount", std::to_string(documentation.parameterCount));
    // The four slots of the first row always, named or not; then the others.
    for (std::size_t k = 0; k < documentation.parameters.size(); ++k) {
        const ParameterDescription& parameter = documentation.parameters[k];
        const std::string prefix = "parameter" + std::to_string(k + 1) + ".";
        WriteField(output, prefix + "name", parameter.name);
        WriteField(output, prefix + "choiceText", parameter.choiceText);
        WriteField(output, prefix + "form", FormText(parameter.choiceText));
        WriteField(output, prefix + "editText", parameter.editText);
    }
    WriteField(output, "helperName", documentation.helperName);
    WriteField(output, "helperProgram", HelperText(choice.helper));
    // The vendor-style suggestions follow the record, which stays as it was.
    for (std::size_t k = 0; k < documentation.parameters.size(); ++k) {
        const Suggestions& suggestions = SuggestionsOf(choice, k);
        const std::string prefix = "parameter" + std::to_string(k + 1) + ".";
        WriteField(output, prefix + "suggestions", JoinedValues(suggestions));
        WriteField(output, prefix + "suggestionKind", KindText(suggestions));
        WriteField(output, prefix + "suggestionSource", suggestions.source);
        if (const std::string onlySome = ChipDependentValues(suggestions); !onlySome.empty()) {
            WriteField(output, prefix + "suggestionsOnlyOn", onlySome);
        }
    }
    WriteField(output, "documentationFile", DocumentationFile(choice));
}

void WriteJson(CliOutput& output, const FunctionChoice& choice) {
    const FunctionDocumentation& documentation = choice.documentation;
    nlohmann::ordered_json parameters = nlohmann::ordered_json::array();
    for (std::size_t k = 0; k < documentation.parameters.size(); ++k) {
        const ParameterDescription& parameter = documentation.parameters[k];
        const Suggestions& suggestions = SuggestionsOf(choice, k);
        nlohmann::ordered_json record = {
            {"name", parameter.name},
            {"choiceText", parameter.choiceText},
            {"form", FormName(FormOf(parameter.choiceText))},
            {"range", IsRangeForm(parameter.choiceText)},
            {"editText", parameter.editText},
            {"suggestions", suggestions.values},
            {"suggestionKind", KindText(suggestions)},
            {"suggestionSource", suggestions.source},
        };
        // Only where some value exists on some chips alone: beside each
        // value, what decides it ("" for every chip).
        if (!ChipDependentValues(suggestions).empty()) {
            std::vector<std::string> conditions;
            for (std::size_t v = 0; v < suggestions.values.size(); ++v) {
                conditions.push_back(suggestions.ConditionOf(v));
            }
            record["suggestionConditions"] = conditions;
        }
        parameters.push_back(std::move(record));
    }
    const nlohmann::ordered_json object = {
        {"functionName", documentation.functionName},
        {"returnType", documentation.returnType},
        {"parameterCount", documentation.parameterCount},
        {"parameters", parameters},
        {"helperName", documentation.helperName},
        {"helperProgram", HelperText(choice.helper)},
        {"documentationFile", DocumentationFile(choice)},
    };
    // Library texts are 8-bit bytes in any code page: bytes that are not
    // UTF-8 become U+FFFD instead of failing the whole output.
    output.Out(object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
    output.Out("\n");
}

int RunParams(CliOutput& output, const ParamsOptions& options) {
    FunctionRequest request{options.libraryPath, options.entry, ""};
    request.vendorMode = UsesVendorMode(options.libraryPath, options.mode);
    const FunctionChoice choice = ChooseFunction(request);
    for (const std::string& message : choice.messages) {
        output.Report(message);
    }
    if (choice.vendorMode && !choice.Found()) {
        output.Err(choice.lookup.text);
    }
    // Like the window, a failed lookup still leaves a record: the name, the
    // return type and a free entry per parameter, taken from the entry.
    if (options.json) {
        WriteJson(output, choice);
    } else {
        WriteLines(output, choice);
    }
    return choice.Found() ? kExitOk : kExitFailed;
}

}  // namespace

void AddParamsCommand(CLI::App& app, CliOutput& output, int& status) {
    auto options = std::make_shared<ParamsOptions>();
    CLI::App* command = app.add_subcommand(
        "params",
        "Print the parsed documentation of ENTRY: name, return type and for each parameter "
        "slot (the four of the first row, then one per further parameter) its name, choice text, "
        "form, initial entry text and the values its "
        "vendor-style documentation suggests; then the helper and the file the documentation "
        "came from. When the documentation is not found, the reasons go to standard error, the "
        "record the entry alone gives to standard output, and the exit status is 1.");
    command->add_option("LIBRARY", options->libraryPath, "header (.h) or assembler library")
        ->required();
    command->add_option("ENTRY", options->entry, "function entry as `functions` prints it")
        ->required();
    command->add_flag("--json", options->json, "print one JSON object instead of lines");
    auto mode = AddVendorModeOption(*command);
    command->callback([options, mode, &output, &status] {
        options->mode = *mode;
        status = RunParams(output, *options);
    });
}

}  // namespace quill::cli
