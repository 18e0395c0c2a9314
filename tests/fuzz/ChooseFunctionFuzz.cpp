// Chooses a function from an arbitrary documenting file. The first byte
// gives the entry's length, the entry follows, the rest is the ".c" beside
// the library header. A choice from the indexed file must equal the choice
// from one pass over it.
#include <fstream>

#include "FuzzSupport.h"
#include "core/ChooseFunction.h"

namespace {

FuzzFolder folder("quill-choose-fuzz");
const std::string header = (folder.path / "uart.h").string();
const std::string source = (folder.path / "uart.c").string();

// Every field of a record, on one line.
std::string Summary(const quill::FunctionDocumentation& d) {
    std::string text = d.functionName + "|" + d.returnType + "|" + d.helperName + "|" +
                       d.documentationText + "|" + std::to_string(d.parameterCount);
    for (const quill::ParameterDescription& p : d.parameters) {
        text += "|" + p.name + "|" + p.choiceText + "|" + p.editText;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [entry, bytes] = SplitEntry(data, size, 64);
    std::ofstream(source, std::ios::binary | std::ios::trunc) << bytes;

    const quill::FunctionChoice once = quill::ChooseFunction({header, entry, header});
    quill::LibraryChoices library(header, header);
    library.IndexAll();
    const quill::FunctionChoice indexed = library.Choose(entry);

    Check(once.lookup.outcome == indexed.lookup.outcome && once.lookup.text == indexed.lookup.text);
    Check(Summary(once.documentation) == Summary(indexed.documentation));
    Check(once.helper.path == indexed.helper.path && once.messages == indexed.messages);

    Check(once.Found() == once.messages.empty());
    Check(once.Found() || once.lookup.text == "-");
    Check(once.documentation.parameterCount >= 0 &&
          once.documentation.parameterCount <=
              static_cast<int>(once.documentation.parameters.size()) &&
          once.suggestions.size() == once.documentation.parameters.size());
    Check(!once.helper.looked ||
          once.helper.path.compare(0, folder.path.string().size(), folder.path.string()) == 0);
    return 0;
}
