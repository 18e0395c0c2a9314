// quill-cli: the function list, prototype lookup, documentation parse, call
// text and documentation checks of Quill, from a terminal.

#include <CLI/CLI.hpp>

#include <exception>
#include <new>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

int main(int argc, char** argv) {
    using namespace quill::cli;
    UseBinaryStreams();

    CLI::App app{"quill-cli: what Quill reads from a peripheral library, from a terminal."};
    app.require_subcommand(1);
    app.footer(
        "Texts are printed byte for byte as the library holds them. Exit status: 0 on "
        "success, 1 when the job failed or warned (the reason is on standard error).");

    int status = kExitOk;
    AddFunctionsCommand(app, status);
    AddLookupCommand(app, status);
    AddParamsCommand(app, status);
    AddComposeCommand(app, status);
    AddLintCommand(app, status);
    AddRangeCommand(app, status);

    // CLI11 reports a mistyped subcommand only as a missing one: name it.
    if (argc > 1 && argv[1][0] != '-') {
        const std::string name = argv[1];
        if (app.get_subcommands([&name](CLI::App* command) { return command->check_name(name); })
                .empty()) {
            Report("Unknown subcommand: " + name +
                   " (the subcommands are functions, lookup, params, compose, lint and range)");
            Report("Run with --help for more information.");
            return static_cast<int>(CLI::ExitCodes::ExtrasError);
        }
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const std::bad_alloc&) {
        Report("quill-cli: out of memory");
        return kExitFailed;
    } catch (const std::exception& e) {
        Report(std::string("quill-cli: ") + e.what());
        return kExitFailed;
    }
    if (!FinishOutput()) {
        Report("quill-cli: the output could not be written");
        return kExitFailed;
    }
    return status;
}
