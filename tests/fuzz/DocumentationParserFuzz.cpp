// Parses arbitrary bytes as a documenting file. The first byte gives the
// entry's length (and, in its top bit, whether the lookup succeeded), the
// entry follows, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "params/ChoiceForms.h"
#include "params/DocumentationParser.h"
#include "source/ReadTextLine.h"

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
    const bool lookupSucceeded = (data[0] & 0x80) == 0;
    const std::size_t entryLength = std::min<std::size_t>(data[0] % 64, size - 1);
    const std::string entry(reinterpret_cast<const char*>(data) + 1, entryLength);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1 + entryLength,
                            size - 1 - entryLength);

    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    const quill::FunctionDocumentation doc =
        quill::ParseDocumentationLines(file, entry, lookupSucceeded, "previous");

    Check(doc.parameterCount >= 0 && doc.parameterCount <= quill::kMaxParameters);
    for (int k = 0; k < quill::kMaxParameters; ++k) {
        const quill::ParameterDescription& p = doc.parameters[k];
        Check(p.name.empty() == (k >= doc.parameterCount));
        if (p.name.empty()) {
            Check(p.choiceText.empty() && p.editText.empty());
        }
        Check(p.choiceText.find_first_of(" \t\n") == std::string::npos);
        Check(p.editText.empty() || p.editText == quill::QuotedHelperText(p.choiceText));
        Check(p.name.find_first_of(" \t") == std::string::npos);
    }
    Check(!doc.helperName.empty());
    Check(doc.helperName == "-" ||
          doc.helperName.compare(doc.helperName.size() - 4, 4, ".exe") == 0);
    if (!lookupSucceeded) {
        Check(doc.functionName == entry && doc.returnType == "previous");
        Check(doc.parameterCount == 0 && doc.documentationText.empty());
    } else {
        Check(doc.functionName.size() <= entry.size());
    }
    return 0;
}
