// quill-cli: the function list, prototype lookup, documentation parse, call
// text and documentation checks of Quill, from a terminal.

#include <string>
#include <vector>

#include "cli/CliApp.h"
#include "cli/CliOutput.h"

int main(int argc, char** argv) {
    quill::cli::PrepareStandardStreams();
    return quill::cli::RunQuillCli(std::vector<std::string>(argv, argv + argc));
}
