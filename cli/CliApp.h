#pragma once
// quill-cli as a function: the program's main calls it, and so do tests and
// benchmarks, with output streams of their own.

#include <string>
#include <vector>

namespace quill::cli {

class CliOutput;

// Runs quill-cli with `args` (the program name first), writing to `output`,
// and returns its exit status.
int RunQuillCli(const std::vector<std::string>& args, CliOutput& output);

// The same on the process's standard output and standard error.
int RunQuillCli(const std::vector<std::string>& args);

}  // namespace quill::cli
