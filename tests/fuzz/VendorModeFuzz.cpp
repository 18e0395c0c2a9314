// Reads an arbitrary header without its ".c" in vendor mode: every entry of
// its list names a function, each name once, and stands on one line; the
// list is the same however it is asked for; a function's block, when it
// has one, is the same from the indexed file as from a lookup of its own,
// and it is told in the text, never in a message.
#include <fstream>
#include <set>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "core/ChooseFunction.h"
#include "core/library/VendorScanner.h"

namespace {

FuzzFolder folder("quill-vendor-fuzz");
const std::string header = (folder.path / "drv.h").string();

// Functions chosen from one input: enough to meet a block, few enough to
// keep the run fast.
constexpr std::size_t kChosen = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(header, std::ios::binary | std::ios::trunc) << Bytes(data, size);

    quill::LibraryChoices library(header, "", nullptr, /*vendorMode=*/true);
    library.IndexAll();
    std::vector<std::string> entries;
    const bool opened =
        library.ScanEntries([&entries](std::string_view entry) { entries.emplace_back(entry); });
    Check(opened);

    std::vector<std::string> scanned;
    Check(quill::ScanLibraryFile(
        header, true, [&scanned](std::string_view entry) { scanned.emplace_back(entry); }));
    Check(scanned == entries);

    std::set<std::string> names;
    for (const std::string& entry : entries) {
        const std::string name = quill::VendorFunctionName(entry);
        Check(!name.empty() && names.insert(name).second);
        Check(entry.find('(') != std::string::npos);
        Check(entry.find_first_of("\n\r") == std::string::npos);
    }

    for (std::size_t i = 0; i < entries.size() && i < kChosen; ++i) {
        const quill::FunctionChoice chosen = library.Choose(entries[i]);
        const quill::FunctionChoice alone = quill::LookUpFunction(header, entries[i], true);
        Check(chosen.lookup.outcome == alone.lookup.outcome &&
              chosen.lookup.text == alone.lookup.text);
        Check(chosen.messages.empty());
        Check(!chosen.Found() || chosen.lookup.text.find("/*") != std::string::npos);
        Check(chosen.documentation.parameterCount >= 0 &&
              chosen.suggestions.size() == chosen.documentation.parameters.size());
    }
    return 0;
}
