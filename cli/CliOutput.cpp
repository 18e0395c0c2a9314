#include "cli/CliOutput.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace quill::cli {

namespace {

void Write(std::FILE* stream, const std::string& bytes) {
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
    }
}

}  // namespace

void UseBinaryStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void WriteOut(const std::string& bytes) {
    Write(stdout, bytes);
}

void WriteErr(const std::string& bytes) {
    Write(stderr, bytes);
}

void Report(const std::string& message) {
    WriteErr(message);
    WriteErr("\n");
}

bool FinishOutput() {
    const bool flushed = std::fflush(stdout) == 0;
    return flushed && std::ferror(stdout) == 0;
}

}  // namespace quill::cli
