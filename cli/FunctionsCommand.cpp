// quill-cli functions LIBRARY: the function entries of a library in file
// order, one a line.

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "source/FunctionScanner.h"

namespace quill::cli {

namespace {

int RunFunctions(const std::string& libraryPath) {
    const LibraryScan scan = ScanLibraryFile(libraryPath);
    if (!scan.opened) {
        Report(LibraryUnavailableMessage(libraryPath));
        return kExitFailed;
    }
    for (const std::string& entry : scan.entries) {
        WriteOut(entry);
        WriteOut("\n");
    }
    return kExitOk;
}

}  // namespace

void AddFunctionsCommand(CLI::App& app, int& status) {
    auto libraryPath = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "functions", "Print the function entries of a library in file order, one a line.");
    command->add_option("LIBRARY", *libraryPath, "header (.h) or assembler library")->required();
    command->callback([libraryPath, &status] { status = RunFunctions(*libraryPath); });
}

}  // namespace quill::cli
