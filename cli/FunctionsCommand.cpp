// quill-cli functions LIBRARY: the function entries of a library in file
// order, one a line.

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <string_view>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "source/FunctionScanner.h"

namespace quill::cli {

namespace {

// Entries are written in blocks of about this size while the scan goes on,
// so memory stays the same whatever the size of the library.
constexpr std::size_t kBlockBytes = 64 * 1024;

int RunFunctions(const std::string& libraryPath) {
    std::string block;
    block.reserve(kBlockBytes + 512);
    const bool opened = ScanLibraryFile(libraryPath, [&block](std::string_view entry) {
        block.append(entry).push_back('\n');
        if (block.size() >= kBlockBytes) {
            WriteOut(block);
            block.clear();
        }
    });
    if (!opened) {
        Report(LibraryUnavailableMessage(libraryPath));
        return kExitFailed;
    }
    WriteOut(block);
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
