// quill-cli compose NAME VALUE...: the call text the window places on the
// clipboard for a function with one parameter per VALUE.

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "core/compose/CallText.h"

namespace quill::cli {

namespace {

struct ComposeOptions {
    std::string name;
    std::vector<std::string> values;
};

int RunCompose(CliOutput& output, const ComposeOptions& options) {
    std::vector<ParameterSlotValue> slots(options.values.size());
    for (std::size_t k = 0; k < slots.size(); ++k) {
        // Stand-in names: only whether a slot has a name matters here.
        slots[k].name = "p" + std::to_string(k + 1);
        slots[k].editText = options.values[k];
    }

    const CallText call = ComposeCallText(options.name, slots);
    // The text is printed whole; the window would cut it for the clipboard.
    output.Out(call.text);
    output.Out("\n");
    if (call.text.size() > kMaxCallTextBytes) {
        output.Report("The call text is " + std::to_string(call.text.size()) +
                      " bytes long; the window places only its first " +
                      std::to_string(kMaxCallTextBytes) + " bytes on the clipboard.");
    }
    if (!call.allValuesGiven) {
        output.Report("Some parameters not selected.");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

void AddComposeCommand(CLI::App& app, CliOutput& output, int& status) {
    auto options = std::make_shared<ComposeOptions>();
    CLI::App* command = app.add_subcommand(
        "compose",
        "Print the call text NAME(VALUE,...) for a function with one parameter per VALUE. An "
        "empty VALUE (\"\") is an empty value: the text is printed and the exit status is 1. "
        "Negative numbers are values; for other values that begin with \"-\", put \"--\" "
        "before NAME.");
    command->add_option("NAME", options->name, "function name")->required();
    command->add_option("VALUE", options->values, "parameter values, in order");
    command->callback([options, &output, &status] { status = RunCompose(output, *options); });
}

}  // namespace quill::cli
