// Chooses a function from an arbitrary documenting file. The first byte
// gives the entry's length, the entry follows, the rest is the ".c" beside
// the library header. A choice from the indexed file must equal the choice
// from one pass over it.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FuzzSupport.h"
#include "params/ChooseFunction.h"

namespace {

struct Folder {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quill-choose-fuzz-" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
} folder;
const std::string header = (folder.path / "uart.h").string();
const std::string source = (folder.path / "uart.c").string();

bool Same(const quill::FunctionDocumentation& a, const quill::FunctionDocumentation& b) {
    bool same = a.functionName == b.functionName && a.returnType == b.returnType &&
                a.parameterCount == b.parameterCount && a.helperName == b.helperName &&
                a.documentationText == b.documentationText;
    for (int k = 0; k < quill::kMaxParameters; ++k) {
        same = same && a.parameters[k].name == b.parameters[k].name &&
               a.parameters[k].choiceText == b.parameters[k].choiceText &&
               a.parameters[k].editText == b.parameters[k].editText;
    }
    return same;
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
    Check(Same(once.documentation, indexed.documentation));
    Check(once.helper.path == indexed.helper.path && once.messages == indexed.messages);

    Check(once.Found() == once.messages.empty());
    Check(once.Found() || once.lookup.text == "-");
    Check(once.documentation.parameterCount >= 0 &&
          once.documentation.parameterCount <= quill::kMaxParameters);
    Check(!once.helper.looked ||
          once.helper.path.compare(0, folder.path.string().size(), folder.path.string()) == 0);
    return 0;
}
