#pragma once
// The scan of a library into its function entries (lines in, entries out,
// in file order).

#include <optional>
#include <string>
#include <vector>

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
    // The function entry this line yields, if any.
    std::optional<std::string> Scan(const std::string& line);

private:
    LibraryKind kind_;
    bool inComment_ = false;
};

std::optional<std::string> ScanAssemblerLine(const std::string& line);

// Entries of a whole list of lines, in order. An empty line ends the scan,
// as the end of the file does for the reader.
std::vector<std::string> ScanFunctionEntries(LibraryKind kind,
                                             const std::vector<std::string>& lines);

struct LibraryScan {
    bool opened = false;
    std::vector<std::string> entries;  // file order
};

// Opens the library, scans it with ReadTextLine until the first empty line.
// An empty path is not opened and gives no entries.
LibraryScan ScanLibraryFile(const std::string& libraryPath);

// What the user is told when a library cannot be opened for its scan.
std::string LibraryUnavailableMessage(const std::string& libraryPath);

}  // namespace quill
