#include "cli/CliOutput.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quill::cli {

namespace {

std::string* capturedOut = nullptr;
std::string* capturedErr = nullptr;
TerminalStreams capturedTerminal;

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

// Asked once per stream: the answer does not change while the program runs.
bool OutIsTerminal() {
    static const bool terminal = IsTerminal(stdout);
    return terminal;
}

bool ErrIsTerminal() {
    static const bool terminal = IsTerminal(stderr);
    return terminal;
}

void Put(std::FILE* stream, std::string* captured, const std::string& bytes) {
    if (captured != nullptr) {
        captured->append(bytes);
    } else if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
    }
}

// The one place where text leaves the program: escaped for a terminal,
// byte for byte otherwise.
void Write(std::FILE* stream, std::string* captured, bool terminal, const std::string& bytes) {
    if (terminal) {
        Put(stream, captured, EscapeForTerminal(bytes));
    } else {
        Put(stream, captured, bytes);
    }
}

bool IsControl(unsigned char byte) {
    return (byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7F;
}

void AppendEscape(std::string& text, unsigned char byte) {
    static const char kHex[] = "0123456789abcdef";
    text += "\\x";
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
}

}  // namespace

std::string EscapeForTerminal(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        if (byte == '\r' && next == '\n') {
            text += '\r';
        } else if (IsControl(byte)) {
            AppendEscape(text, byte);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            AppendEscape(text, byte);
            AppendEscape(text, next);
            ++i;
        } else {
            text += static_cast<char>(byte);
        }
    }
    return text;
}

CapturedOutput::CapturedOutput(std::string& out, std::string& err, TerminalStreams terminal) {
    capturedOut = &out;
    capturedErr = &err;
    capturedTerminal = terminal;
}

CapturedOutput::~CapturedOutput() {
    capturedOut = nullptr;
    capturedErr = nullptr;
    capturedTerminal = {};
}

bool OutputIsCaptured() {
    return capturedOut != nullptr;
}

void UseBinaryStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void WriteOut(const std::string& bytes) {
    const bool terminal = OutputIsCaptured() ? capturedTerminal.out : OutIsTerminal();
    Write(stdout, capturedOut, terminal, bytes);
}

void WriteErr(const std::string& bytes) {
    const bool terminal = OutputIsCaptured() ? capturedTerminal.err : ErrIsTerminal();
    Write(stderr, capturedErr, terminal, bytes);
}

void Report(const std::string& message) {
    WriteErr(message);
    WriteErr("\n");
}

bool FinishOutput() {
    if (OutputIsCaptured()) {
        return true;
    }
    const bool flushed = std::fflush(stdout) == 0;
    return flushed && std::ferror(stdout) == 0;
}

}  // namespace quill::cli
