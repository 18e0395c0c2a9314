#include "cli/CliOutput.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace quill::cli {

namespace {

std::string* capturedOut = nullptr;
std::string* capturedErr = nullptr;

void Write(std::FILE* stream, std::string* captured, const std::string& bytes) {
    if (captured != nullptr) {
        captured->append(bytes);
    } else if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
    }
}

}  // namespace

CapturedOutput::CapturedOutput(std::string& out, std::string& err) {
    capturedOut = &out;
    capturedErr = &err;
}

CapturedOutput::~CapturedOutput() {
    capturedOut = nullptr;
    capturedErr = nullptr;
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
    Write(stdout, capturedOut, bytes);
}

void WriteErr(const std::string& bytes) {
    Write(stderr, capturedErr, bytes);
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
