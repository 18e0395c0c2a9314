#include "cli/CliOutput.h"

#include <cstdio>
#include <iostream>
#include <ostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quill::cli {

namespace {

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
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

CliOutput::CliOutput(std::ostream& out, std::ostream& err, TerminalStreams terminal)
    : out_(out), err_(err), terminal_(terminal) {}

CliOutput CliOutput::Standard() {
    // std::cout and std::cerr write through stdout and stderr, so that these
    // are the streams to ask.
    return CliOutput(std::cout, std::cerr, {IsTerminal(stdout), IsTerminal(stderr)});
}

void PrepareStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::cerr.tie(nullptr);
}

// The one place where text leaves the program: escaped for a terminal,
// byte for byte otherwise.
void CliOutput::Write(std::ostream& stream, bool terminal, std::string_view bytes) {
    if (terminal) {
        const std::string shown = EscapeForTerminal(bytes);
        stream.write(shown.data(), static_cast<std::streamsize>(shown.size()));
    } else if (!bytes.empty()) {
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

void CliOutput::Out(std::string_view bytes) {
    Write(out_, terminal_.out, bytes);
}

void CliOutput::Err(std::string_view bytes) {
    Write(err_, terminal_.err, bytes);
}

void CliOutput::Report(std::string_view message) {
    Err(message);
    Err("\n");
}

bool CliOutput::Finish() {
    out_.flush();
    return !out_.fail();
}

}  // namespace quill::cli
