// Compares the buffered line reader with a plain reader that takes one byte
// at a time, and checks the shape of every line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "source/ReadTextLine.h"

namespace {

std::string ReferenceLine(const std::string& bytes, std::size_t& pos) {
    std::string line;
    while (pos < bytes.size() && line.size() < quill::kMaxLineBytes) {
        const char c = bytes[pos++];
        line += c;
        if (c == '\n') {
            break;
        }
    }
    const std::size_t nul = line.find('\0');
    if (nul != std::string::npos) {
        line.resize(nul);
    }
    return line;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    std::size_t pos = 0;
    for (;;) {
        const std::string line = quill::ReadTextLine(file);
        const std::string expected = ReferenceLine(bytes, pos);
        Check(line == expected);
        if (line.empty()) {
            break;
        }
        Check(line.size() <= quill::kMaxLineBytes);
        Check(line.find('\0') == std::string::npos);
        const std::size_t lf = line.find('\n');
        Check(lf == std::string::npos || lf + 1 == line.size());
    }
    return 0;
}
