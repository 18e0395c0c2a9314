#pragma once
// The scan of a library into its function entries (lines in, entries out,
// in file order).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/text/LineNormaliser.h"
#include "core/text/TextOps.h"

namespace quill {

enum class LibraryKind { Header, Assembler };

// Header library when the path holds ".h" (or ".H") whose first occurrence is
// at index 3 or later, anywhere in the path; assembler library otherwise.
LibraryKind LibraryKindOf(const std::string& libraryPath);

struct HeaderMarks;

// Receives each entry of a scan as it is found; the view is valid during the
// call only. Refers to the callable it is made from, which must outlive it.
class EntrySink {
public:
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, EntrySink>>>
    EntrySink(F&& onEntry)  // NOLINT: made from any callable, as std::function is
        : target_(const_cast<void*>(static_cast<const void*>(std::addressof(onEntry)))),
          call_([](void* target, std::string_view entry) {
              (*static_cast<std::remove_reference_t<F>*>(target))(entry);
          }) {}
    void operator()(std::string_view entry) const { call_(target_, entry); }

private:
    void* target_;
    void (*call_)(void*, std::string_view);
};

// Feeds one line (as ReadTextLine delivers it) at a time; keeps the comment
// state of the header scan between lines.
class FunctionScanner {
public:
    explicit FunctionScanner(LibraryKind kind) : kind_(kind) {}
    // The function entry this line yields, if any. The view points into the
    // scanner's own buffer and stays valid until the next call.
    std::optional<std::string_view> Scan(std::string_view line);

    // Scans the whole lines at the front of `bytes` (which hold no NUL byte)
    // as Scan would one at a time, handing the entries to `onEntry`, and
    // returns how many bytes it took. Stops before a line whose end may lie
    // past `bytes` (neither a "\n" nor 255 bytes end it there) and after a
    // line that leaves a comment open, so that the reader can skip. Takes
    // nothing from an assembler library.
    std::size_t ScanLines(std::string_view bytes, EntrySink onEntry);

    // True while a header comment is open: no line yields anything until
    // one holds "*/", so a reader may pass over lines without it.
    bool WaitsForCommentEnd() const { return inComment_; }

private:
    std::optional<std::string_view> ScanHeaderLine(std::string_view line, const HeaderMarks& marks);
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

// Opens the library and scans it with the line reader until the first empty
// line, handing every entry to `onEntry` in file order. False when the
// library cannot be opened (no entry then) or reading it failed part way
// (the entries handed so far are no whole list); an empty path is never
// opened.
bool ScanLibraryFile(const std::string& libraryPath, EntrySink onEntry);

struct LibraryScan {
    bool opened = false;               // and read to its end
    std::vector<std::string> entries;  // file order
};

// The same scan with every entry collected.
LibraryScan ScanLibraryFile(const std::string& libraryPath);

// What the user is told when a library cannot be opened for its scan.
std::string LibraryUnavailableMessage(const std::string& libraryPath);

}  // namespace quill
