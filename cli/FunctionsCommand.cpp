// quill-cli functions LIBRARY: the function entries of a library in file
// order, one a line.

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <string_view>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/HeldOutput.h"
#include "cli/VendorModeOption.h"
#include "core/library/VendorScanner.h"

namespace quill::cli {

namespace {

int RunFunctions(CliOutput& output, const std::string& libraryPath, VendorMode mode) {
    // A library that cannot be read to its end gives no list at all, so the
    // entries are held back until the scan has succeeded.
    HeldOutput held(output);
    const bool vendorMode = UsesVendorMode(libraryPath, mode);
    const bool read = ScanLibraryFile(libraryPath, vendorMode, [&held](std::string_view entry) {
        held.Append(entry);
        held.Append("\n");
    });
    if (!read) {
        output.Report(LibraryUnavailableMessage(libraryPath));
        return kExitFailed;
    }
    if (!held.Release()) {
        output.Report(
            "quill-cli: the function list could not be read back from its temporary file");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

void AddFunctionsCommand(CLI::App& app, CliOutput& output, int& status) {
    auto libraryPath = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "functions", "Print the function entries of a library in file order, one a line.");
    command->add_option("LIBRARY", *libraryPath, "header (.h) or assembler library")->required();
    auto mode = AddVendorModeOption(*command);
    command->callback([libraryPath, mode, &output, &status] {
        status = RunFunctions(output, *libraryPath, *mode);
    });
}

}  // namespace quill::cli
