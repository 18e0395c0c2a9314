// Parses arbitrary bytes as a documenting file. The first byte gives the
// entry's length (and, in its top bit, whether the lookup succeeded), the
// entry follows, the rest is the file.
#include <algorithm>
#include "FuzzSupport.h"
#include "core/docs/ChoiceForms.h"
#include "core/docs/DocumentationParser.h"
#include "core/files/ReadTextLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool lookupSucceeded = size == 0 || (data[0] & 0x80) == 0;
    const auto [entry, bytes] = SplitEntry(data, size, 64);
    quill::TextFile file = quill::TextFile::FromBytes(bytes);
    const quill::FunctionDocumentation doc =
        quill::ParseDocumentationLines(file, entry, lookupSucceeded);

    const int slots = static_cast<int>(doc.parameters.size());
    Check(doc.parameterCount >= 0 && doc.parameterCount <= slots);
    Check(slots == std::max(quill::kMaxParameters, doc.parameterCount));
    for (int k = 0; k < slots; ++k) {
        const quill::ParameterDescription& p = doc.parameters[k];
        Check(p.name.empty() == (k >= doc.parameterCount));
        Check(!p.name.empty() || (p.choiceText.empty() && p.editText.empty()));
        Check(p.choiceText.find_first_of(" \t\n") == std::string::npos);
        Check(p.editText.empty() || p.editText == quill::QuotedHelperText(p.choiceText));
        Check(p.name.find_first_of(" \t") == std::string::npos);
    }
    Check(doc.helperName == "-" || doc.helperName.ends_with(".exe"));
    if (!lookupSucceeded) {
        // Without documentation the record is the entry's own: no choice texts.
        const quill::FunctionDocumentation alone = quill::RecordFromEntry(entry);
        Check(doc.functionName == alone.functionName && doc.returnType == alone.returnType);
        Check(doc.parameterCount == alone.parameterCount && doc.documentationText.empty());
        for (const quill::ParameterDescription& p : doc.parameters) {
            Check(p.choiceText.empty());
        }
    } else {
        Check(doc.functionName.size() <= entry.size());
    }
    return 0;
}
