// Collects documentation blocks from arbitrary bytes. The first byte gives
// the entry's length, the entry follows, the rest is the documenting file.
#include "FuzzSupport.h"
#include "core/docs/PrototypeLookup.h"
#include "core/files/ReadTextLine.h"
#include "core/text/LineNormaliser.h"
#include "core/text/TextOps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [entry, bytes] = SplitEntry(data, size, 48);
    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    bool found = false;
    const std::string text = quill::CollectDocumentationBlock(file, entry, found);

    // The quick comparison agrees with normalising every line in full.
    quill::TextFile lines = quill::TextFile::FromBytes(bytes);
    for (std::string line; quill::ReadTextLine(lines, line);) {
        Check(quill::NormalisedLineStartsWith(line, entry) ==
              quill::StartsWith(quill::NormaliseLine(line), entry));
    }
    Check(text.find_first_of(std::string("\t\0", 2)) == std::string::npos);
    Check(text.size() <= 4 * bytes.size());  // a tab grows to at most four spaces
    Check(!found || !text.empty());
    // Nothing is found in an empty file, and an empty entry matches the first line.
    if (bytes.empty() || bytes[0] == '\0') {
        Check(!found && text.empty());
    } else if (entry.empty()) {
        Check(found);
    }
    return 0;
}
