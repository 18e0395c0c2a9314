#pragma once
// Runs the built quill-cli with exact arguments (no shell in between) and
// collects what it wrote and how it ended.

#include <string>
#include <vector>

namespace quill::testing {

struct CliResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    int signal = 0;   // the signal that ended it, if any
    std::string out;  // standard output, bytes unchanged
    std::string err;  // standard error, bytes unchanged

    bool Exited() const { return status >= 0; }
};

CliResult RunCli(const std::vector<std::string>& args);

// A file of the demo catalogue, by its path below examples/.
std::string Example(const std::string& relative);

// The whole contents of a file.
std::string ReadFileBytes(const std::string& path);

}  // namespace quill::testing
