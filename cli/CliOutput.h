#pragma once
// Output helpers shared by the quill-cli subcommands. Texts are byte strings
// and are written exactly, whatever bytes they hold, except to a terminal:
// there control characters are shown as escapes (EscapeForTerminal), so that
// no library text can move the cursor, retitle the window or worse.

#include <string>
#include <string_view>

namespace quill::cli {

// Puts standard output and standard error into binary mode where the
// platform distinguishes it, so that no line end is translated.
void UseBinaryStreams();

// Writes `bytes` to standard output / standard error: unchanged, or escaped
// when the stream is a terminal.
void WriteOut(const std::string& bytes);
void WriteErr(const std::string& bytes);

// Writes one message to standard error, followed by "\n".
void Report(const std::string& message);

// Flushes standard output; false when anything written to it was lost.
bool FinishOutput();

// `bytes` as a terminal is shown them: every control character (bytes 0 to
// 31 and 127, and the C1 controls U+0080 to U+009F in UTF-8) as "\x1b",
// with two lower-case hex digits per byte. Tab and newline stay, and so does
// a carriage return right before a newline (Windows line ends). Everything
// else, backslashes included, is unchanged.
std::string EscapeForTerminal(std::string_view bytes);

// Whether a stream is taken for a terminal. Capture takes the answer given;
// otherwise the stream itself is asked, once.
struct TerminalStreams {
    bool out = false;
    bool err = false;
};

// While alive, what would go to standard output and standard error is
// appended to `out` and `err` instead, escaped for the streams `terminal`
// names (tests and benchmarks run the subcommands in-process this way).
class CapturedOutput {
public:
    CapturedOutput(std::string& out, std::string& err, TerminalStreams terminal = {});
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
