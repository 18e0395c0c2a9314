// Reads arbitrary bytes as a library header and as a documentation block,
// and asks every convention for the values of a parameter. The first byte
// gives the length of the text used as the parameter's name and type.
#include "FuzzSupport.h"
#include "core/docs/VendorValues.h"
#include "core/library/LibraryDeclarations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [name, bytes] = SplitEntry(data, size, 64);
    quill::LibraryDeclarations declarations;
    declarations.AddText(bytes, "fuzz.h");
    quill::ParameterTypes(name);

    for (const std::string& type : {name, std::string("bool")}) {
        const quill::Suggestions suggestions =
            quill::SuggestValues(bytes, name, type, declarations);
        Check(suggestions.Empty() == suggestions.source.empty());
        Check(suggestions.conditions.size() <= suggestions.values.size());
        for (const std::string& value : suggestions.values) {
            Check(!value.empty() && value.find_first_of(" \t\r\n,|") == std::string::npos);
        }
    }
    return 0;
}
