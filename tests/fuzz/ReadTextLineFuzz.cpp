// Compares the buffered line reader with a plain reader that takes one byte
// at a time.
#include "FuzzSupport.h"
#include "core/files/ReadTextLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Bytes(data, size);
    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    for (std::size_t pos = 0;;) {
        // One byte at a time: up to and including "\n", at most 255 bytes, cut at a NUL.
        std::string expected;
        while (pos < bytes.size() && expected.size() < quill::kMaxLineBytes) {
            expected += bytes[pos++];
            if (expected.back() == '\n') {
                break;
            }
        }
        expected.resize(std::min(expected.size(), expected.find('\0')));

        const std::string line = quill::ReadTextLine(file);
        Check(line == expected);
        if (line.empty()) {
            break;
        }
    }
    return 0;
}
