#pragma once
// quill-cli as a function: the program's main calls it, and so do tests and
// benchmarks, with the output captured (CapturedOutput).

#include <string>
#include <vector>

namespace quill::cli {

// Runs quill-cli with `args` (the program name first) and returns its exit
// status.
int RunQuillCli(const std::vector<std::string>& args);

}  // namespace quill::cli
