#pragma once
// Where the quill-cli subcommands write. Texts are byte strings and are
// written exactly, whatever bytes they hold, except to a terminal: there
// control characters are shown as escapes (EscapeForTerminal), so that no
// library text can move the cursor, retitle the window or worse.

#include <iosfwd>
#include <string>
#include <string_view>

namespace quill::cli {

// Which of the two streams is taken for a terminal.
struct TerminalStreams {
    bool out = false;
    bool err = false;
};

// The output of one run: standard output and standard error, each escaped
// when it is a terminal. The program writes to its standard streams
// (Standard); tests and benchmarks give streams of their own.
class CliOutput {
public:
    CliOutput(std::ostream& out, std::ostream& err, TerminalStreams terminal = {});

    // std::cout and std::cerr, each escaped when the stream behind it is a
    // terminal (asked once, here).
    static CliOutput Standard();

    // Writes `bytes` to standard output / standard error: unchanged, or
    // escaped when the stream is a terminal.
    void Out(std::string_view bytes);
    void Err(std::string_view bytes);

    // Writes one message to standard error, followed by "\n".
    void Report(std::string_view message);

    // Flushes standard output; false when anything written to it was lost.
    bool Finish();

private:
    void Write(std::ostream& stream, bool terminal, std::string_view bytes);

    std::ostream& out_;
    std::ostream& err_;
    TerminalStreams terminal_;
};

// Readies the process's standard streams for CliOutput::Standard: binary
// mode where the platform distinguishes it, so that no line end is
// translated, and standard error no longer flushes standard output before
// each write (C's streams do not either).
void PrepareStandardStreams();

// `bytes` as a terminal is shown them: every control character (bytes 0 to
// 31 and 127, and the C1 controls U+0080 to U+009F in UTF-8) as "\x1b",
// with two lower-case hex digits per byte. Tab and newline stay, and so does
// a carriage return right before a newline (Windows line ends). Everything
// else, backslashes included, is unchanged.
std::string EscapeForTerminal(std::string_view bytes);

// Exit statuses of every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;

}  // namespace quill::cli
