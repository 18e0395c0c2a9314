// Collects documentation blocks from arbitrary bytes. The first byte gives
// the entry's length, the entry follows, the rest is the documenting file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "source/PrototypeLookup.h"
#include "source/ReadTextLine.h"
#include "source/TextOps.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t entryLength = std::min<std::size_t>(data[0] % 48, size - 1);
    const std::string entry(reinterpret_cast<const char*>(data) + 1, entryLength);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1 + entryLength,
                            size - 1 - entryLength);

    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    bool found = false;
    const std::string text = quill::CollectDocumentationBlock(file, entry, found);

    // The quick comparison agrees with normalising every line in full.
    quill::TextFile lines = quill::TextFile::FromBytes(bytes);
    std::string line;
    while (quill::ReadTextLine(lines, line)) {
        Check(quill::NormalisedLineStartsWith(line, entry) ==
              quill::StartsWith(quill::NormaliseLine(line), entry));
    }

    Check(text.find('\t') == std::string::npos);
    Check(text.find('\0') == std::string::npos);
    // A tab grows to at most four spaces; nothing else is added.
    Check(text.size() <= 4 * bytes.size());
    if (found) {
        Check(!text.empty());
    }
    // Nothing is found in an empty file, and an empty entry matches the first line.
    if (bytes.empty() || bytes[0] == '\0') {
        Check(!found && text.empty());
    } else if (entry.empty()) {
        Check(found);
    }
    return 0;
}
