// quill-cli range CHOICE VALUE: what leaving an entry field with VALUE does
// for a parameter documented with the choice text CHOICE.

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "core/compose/ValueRules.h"

namespace quill::cli {

namespace {

struct RangeOptions {
    std::string choiceText;
    std::string value;
};

int RunRange(CliOutput& output, const RangeOptions& options) {
    const std::optional<RangeBounds> bounds = SplitRange(options.choiceText);
    const RangeResult result = CheckRange(options.choiceText, options.value);
    // The bounds as the window reads them, so that "1-" shows its 0.
    output.Out("range: ");
    output.Out(bounds ? std::to_string(ParseNumber(bounds->low)) + " to " +
                            std::to_string(ParseNumber(bounds->high))
                      : std::string("none"));
    output.Out("\n");
    if (result != RangeResult::NoTest) {
        output.Out("value: " + std::to_string(ParseNumber(options.value)) + "\n");
    }
    output.Out("result: ");
    output.Out(RangeResultName(result));
    output.Out("\n");
    if (result == RangeResult::Out) {
        output.Report(OutOfRangeMessage(options.value));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

void AddRangeCommand(CLI::App& app, CliOutput& output, int& status) {
    auto options = std::make_shared<RangeOptions>();
    CLI::App* command = app.add_subcommand(
        "range",
        "Check VALUE as Quill does when an entry field documented with CHOICE (the text "
        "between the braces of its @param entry, for instance 1-20000) is left. Prints the "
        "bounds as read, the value as read when it is tested, and the result: in, out, or "
        "no test (no range, an empty value, or a value that begins like a name). Exit status "
        "1 when the value is out of range. Put \"--\" before CHOICE when it begins with \"-\".");
    command->add_option("CHOICE", options->choiceText, "choice text of the parameter")->required();
    command->add_option("VALUE", options->value, "the value typed into the field")->required();
    command->callback([options, &output, &status] { status = RunRange(output, *options); });
}

}  // namespace quill::cli
