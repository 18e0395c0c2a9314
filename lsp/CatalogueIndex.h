#pragma once
// The catalogue as the language server asks it: every function of every
// library by name, and each function's documentation, parsed when first
// asked for. A library is scanned once and scanned again only when its file,
// a file its documentation came from or the ".c" the automatic mode looks
// for changes.
//
// Each library is read in the mode the window reads it in: the vendor mode
// stored for it in the settings file, else the automatic one, settled again
// at each scan. When the settings file changes, its library list is read
// again (libraries kept keep their scans) and each library whose mode
// changed is scanned again.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ChooseFunction.h"
#include "lsp/CallContext.h"

namespace quill::lsp {

struct CatalogueFunction {
    std::string name;
    std::string entry;  // the prototype as the scan gives it
    std::size_t library = 0;
};

class CatalogueIndex {
public:
    // `settingsFile` keeps the libraries' vendor modes; "" stores none.
    explicit CatalogueIndex(std::vector<std::string> libraryPaths = {},
                            std::string settingsFile = "");
    CatalogueIndex(const CatalogueIndex&) = delete;
    CatalogueIndex& operator=(const CatalogueIndex&) = delete;
    ~CatalogueIndex();

    // Scans the libraries not scanned yet and those whose files or modes
    // changed; follows a changed settings file first.
    void Refresh();

    // The function of that name (the first library that has one wins); null
    // when the catalogue has none.
    const CatalogueFunction* Find(std::string_view name) const;
    // Functions whose name starts with `prefix`, by name, at most `limit`.
    std::vector<const CatalogueFunction*> WithPrefix(std::string_view prefix,
                                                     std::size_t limit) const;

    // The documentation of `function`, parsed on the first call.
    const FunctionChoice& Choice(const CatalogueFunction& function);

    // A line that describes `value` in the library's own file (a "/*!<" or
    // "//" comment after it on its line), or "".
    std::string ValueNote(const CatalogueFunction& function, const std::string& value);

    std::size_t FunctionCount() const { return functions_.size(); }
    // How many library scans were made so far, for tests.
    std::size_t ScanCount() const { return scans_; }
    const std::vector<std::string>& LibraryPaths() const { return paths_; }

private:
    struct Library;
    // What tells a file changed: its time and size, or that it is missing.
    struct Stamp {
        bool exists = false;
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const std::string& path);
    void Scan(std::size_t library);
    void RebuildNames();
    // The settings file's library list and modes, read again.
    void FollowSettings();

    std::vector<std::string> paths_;
    std::string settingsFile_;
    Stamp settingsStamp_;
    std::vector<std::unique_ptr<Library>> libraries_;
    std::vector<CatalogueFunction> functions_;
    std::vector<std::size_t> byName_;  // indexes of functions_, sorted by name, then library
    std::size_t scans_ = 0;
};

// The call the cursor stands in, and the catalogued function it calls.
struct CatalogueCall {
    CallContext context;
    const CatalogueFunction* function = nullptr;
};

// Nothing when `offset` is in no call's argument list or the function called
// is not in the catalogue.
std::optional<CatalogueCall> CatalogueCallAt(const CatalogueIndex& index, std::string_view text,
                                             std::size_t offset);

}  // namespace quill::lsp
