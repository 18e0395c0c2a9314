#pragma once
// The quill-cli subcommands. Each adds itself to the application; when it
// runs, it stores its exit status in `status`.

namespace CLI {
class App;
}

namespace quill::cli {

void AddFunctionsCommand(CLI::App& app, int& status);
void AddLookupCommand(CLI::App& app, int& status);
void AddParamsCommand(CLI::App& app, int& status);
void AddComposeCommand(CLI::App& app, int& status);
void AddLintCommand(CLI::App& app, int& status);
void AddRangeCommand(CLI::App& app, int& status);

}  // namespace quill::cli
