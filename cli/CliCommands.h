#pragma once
// The quill-cli subcommands. Each adds itself to the application; when it
// runs, it writes to `output` and stores its exit status in `status`.

namespace CLI {
class App;
}

namespace quill::cli {

class CliOutput;

void AddFunctionsCommand(CLI::App& app, CliOutput& output, int& status);
void AddLookupCommand(CLI::App& app, CliOutput& output, int& status);
void AddParamsCommand(CLI::App& app, CliOutput& output, int& status);
void AddComposeCommand(CLI::App& app, CliOutput& output, int& status);
void AddLintCommand(CLI::App& app, CliOutput& output, int& status);
void AddRangeCommand(CLI::App& app, CliOutput& output, int& status);
void AddServeCommand(CLI::App& app, CliOutput& output, int& status);

}  // namespace quill::cli
