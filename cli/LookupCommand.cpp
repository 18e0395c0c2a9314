// quill-cli lookup LIBRARY ENTRY: the documentation block the source view
// shows for a function, after the path of the file it was read from.

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/VendorModeOption.h"
#include "core/ChooseFunction.h"

namespace quill::cli {

namespace {

int RunLookup(CliOutput& output, const std::string& libraryPath, const std::string& entry,
              VendorMode mode) {
    FunctionRequest request{libraryPath, entry, ""};
    request.vendorMode = UsesVendorMode(libraryPath, mode);
    const FunctionChoice choice = ChooseFunction(request);
    for (const std::string& message : choice.messages) {
        output.Report(message);
    }
    if (choice.lookup.outcome != LookupOutcome::Found) {
        if (choice.vendorMode) {
            output.Err(choice.lookup.text);  // what is missing, in one line
        }
        return kExitFailed;
    }
    output.Out(choice.lookup.path);
    output.Out("\n");
    output.Out(choice.lookup.text);
    return kExitOk;
}

}  // namespace

void AddLookupCommand(CLI::App& app, CliOutput& output, int& status) {
    auto libraryPath = std::make_shared<std::string>();
    auto entry = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "lookup",
        "Print the path of the documenting file read, then the documentation block of ENTRY "
        "exactly as collected.");
    command->add_option("LIBRARY", *libraryPath, "header (.h) or assembler library")->required();
    command->add_option("ENTRY", *entry, "function entry as `functions` prints it")->required();
    auto mode = AddVendorModeOption(*command);
    command->callback([libraryPath, entry, mode, &output, &status] {
        status = RunLookup(output, *libraryPath, *entry, *mode);
    });
}

}  // namespace quill::cli
