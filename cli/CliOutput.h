#pragma once
// Output helpers shared by the quill-cli subcommands. Texts are byte strings
// and are written exactly, whatever bytes they hold.

#include <string>

namespace quill::cli {

// Puts standard output and standard error into binary mode where the
// platform distinguishes it, so that no line end is translated.
void UseBinaryStreams();

// Writes `bytes` to standard output / standard error unchanged.
void WriteOut(const std::string& bytes);
void WriteErr(const std::string& bytes);

// Writes one message to standard error, followed by "\n".
void Report(const std::string& message);

// Flushes standard output; false when anything written to it was lost.
bool FinishOutput();

// While alive, what would go to standard output and standard error is
// appended to `out` and `err` instead (tests and benchmarks run the
// subcommands in-process this way).
class CapturedOutput {
public:
    CapturedOutput(std::string& out, std::string& err);
    ~CapturedOutput();
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;
};

// True while a CapturedOutput is alive.
bool OutputIsCaptured();

// Exit statuses of every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;

}  // namespace quill::cli
