#include "cli/CliApp.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <new>
#include <sstream>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

namespace quill::cli {

namespace {

// CLI11's own report of a usage error, --help and --version included.
int ExitOnParseError(CliOutput& output, const CLI::App& app, const CLI::ParseError& error) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = app.exit(error, out, err);
    output.Out(out.str());
    output.Err(err.str());
    return status;
}

}  // namespace

int RunQuillCli(const std::vector<std::string>& args, CliOutput& output) {
    CLI::App app{"quill-cli: what Quill reads from a peripheral library, from a terminal."};
    app.require_subcommand(1);
    app.footer(
        "Texts are printed byte for byte as the library holds them, except to a terminal, "
        "where control characters other than tab and newline are shown as escapes (\\x1b). "
        "Exit status: 0 on success, 1 when the job failed or warned (the reason is on "
        "standard error).");

    int status = kExitOk;
    AddFunctionsCommand(app, output, status);
    AddLookupCommand(app, output, status);
    AddParamsCommand(app, output, status);
    AddComposeCommand(app, output, status);
    AddLintCommand(app, output, status);
    AddRangeCommand(app, output, status);
    AddServeCommand(app, output, status);

    // CLI11 reports a mistyped subcommand only as a missing one: name it.
    if (args.size() > 1 && (args[1].empty() || args[1][0] != '-')) {
        const std::string& name = args[1];
        if (app.get_subcommands([&name](CLI::App* command) { return command->check_name(name); })
                .empty()) {
            output.Report(
                "Unknown subcommand: " + name +
                " (the subcommands are functions, lookup, params, compose, lint, range and serve)");
            output.Report("Run with --help for more information.");
            return static_cast<int>(CLI::ExitCodes::ExtrasError);
        }
    }

    std::vector<std::string> copies = args;
    std::vector<char*> argv;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    try {
        app.parse(static_cast<int>(copies.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        return ExitOnParseError(output, app, e);
    } catch (const std::bad_alloc&) {
        output.Report("quill-cli: out of memory");
        return kExitFailed;
    } catch (const std::exception& e) {
        output.Report(std::string("quill-cli: ") + e.what());
        return kExitFailed;
    }
    if (!output.Finish()) {
        output.Report("quill-cli: the output could not be written");
        return kExitFailed;
    }
    return status;
}

int RunQuillCli(const std::vector<std::string>& args) {
    CliOutput output = CliOutput::Standard();
    return RunQuillCli(args, output);
}

}  // namespace quill::cli
