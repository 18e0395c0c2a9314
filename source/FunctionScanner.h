#pragma once
// The scan of a library into its function entries (lines in, entries out,
// in file order).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "source/TextOps.h"

namespace quill {

enum class LibraryKind { Header, Assembler };

// Header library when the path holds ".h" (or ".H") whose first occurrence is
// at index 3 or later, anywhere in the path; assembler library otherwise.
LibraryKind LibraryKindOf(const std::string& libraryPath);

// Feeds one line (as ReadTextLine delivers it) at a time; keeps the comment
// state of the header scan between lines.
class FunctionScanner {
public:
    explicit FunctionScanner(LibraryKind kind) : kind_(kind) {}
    // The function entry this line yields, if any. The view points into the
    // scanner's own buffer and stays valid until the next call.
    std::optional<std::string_view> Scan(std::string_view line);

    // True while a header comment is open: no line yields anything until
    // one holds "*/", so a reader may pass over lines without it.
    bool WaitsForCommentEnd() const { return inComment_; }

private:
    std::optional<std::string_view> ScanHeaderLine(std::string_view line);
    std::optional<std::string_view> ScanAssemblerLine(std::string_view line);

    LibraryKind kind_;
    bool inComment_ = false;
    LineNormaliser normaliser_;
    std::string entry_;
};

// Entries of a whole list of lines, in order. An empty line ends the scan,
// as the end of the file does for the reader.
std::vector<std::string> ScanFunctionEntries(LibraryKind kind,
                                             const std::vector<std::string>& lines);

// Receives each entry of a scan as it is found; the view is valid during the
// call only.
using EntrySink = std::function<void(std::string_view entry)>;

// Opens the library and scans it with the line reader until the first empty
// line, handing every entry to `onEntry` in file order. False when the
// library cannot be opened (no entry then) or reading it failed part way
// (the entries handed so far are no whole list); an empty path is never
// opened.
bool ScanLibraryFile(const std::string& libraryPath, const EntrySink& onEntry);

struct LibraryScan {
    bool opened = false;               // and read to its end
    std::vector<std::string> entries;  // file order
};

// The same scan with every entry collected.
LibraryScan ScanLibraryFile(const std::string& libraryPath);

// What the user is told when a library cannot be opened for its scan.
std::string LibraryUnavailableMessage(const std::string& libraryPath);

}  // namespace quill
