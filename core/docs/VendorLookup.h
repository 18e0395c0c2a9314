#pragma once
// Where vendor libraries keep a function's documentation when it is not in
// the C source beside the header: a source folder ("Src", "source" ...)
// beside the header's include folder, or the header itself.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/library/VendorScanner.h"
#include "core/text/DocumentLines.h"

namespace quill {

// True for a folder name that holds headers: "Inc", "inc", "Include", ...
// (any case), and for one that holds sources: "Src", "source", ...
bool IsIncludeFolderName(const std::string& name);
bool IsSourceFolderName(const std::string& name);

// The same file name in every source folder beside the documenting file's
// folder when that folder is an include folder, then beside its parent when
// the parent is one (there with the sub-folder kept, and without it). Only
// folders that exist are listed, each in byte order; the file name is
// matched ignoring case.
std::vector<std::string> SiblingSourcePaths(const std::string& documentingPath);

// True when the block that begins at line `begin` of a header's lines has
// its comment end right before the function's line, blank lines aside: a
// header that documents the function in place. The lines are read only as
// far as the answer needs.
bool BlockStandsBeforePrototype(DocumentLines& lines, std::size_t begin, const std::string& entry);

// Every function a file declares or defines, by name, as the vendor-mode
// scan finds them in its lines (the whole file is read). Only the lines of
// each are kept, with its name: some 40 bytes and the name a function,
// however long its text.
class VendorFunctionIndex : public KnownFunctions {
public:
    explicit VendorFunctionIndex(DocumentLines& lines);
    // The declarations and definitions of `name` in file order, with their
    // lines and openers (no entry or name text); empty when there are none.
    std::vector<VendorFunction> Find(const std::string& name) const;

    // Each function's place is its number in file order.
    std::size_t Places() const override { return records_.size(); }
    std::optional<std::uint32_t> FirstPlace(std::string_view name) const override;

private:
    // Calls `found` with the place of each function called `name`, in file
    // order, while it returns true.
    template <typename Found>
    void Probe(std::string_view name, Found found) const;

    // Line numbers and places fit 32 bits: the lines of a file are indexed
    // by 32-bit offsets.
    struct Record {
        std::uint32_t nameSize = 0;
        std::uint32_t nameAt = 0;     // in names_
        std::uint32_t openersAt = 0;  // in openers_
        std::uint32_t firstLine = 0;
        std::uint32_t lineCount = 0;  // lastLine - firstLine
        std::uint32_t openerCount = 0;
    };
    // Deques: no copy of the whole while they grow, so the peak is the size.
    std::deque<Record> records_;  // in file order
    std::deque<char> names_;
    std::deque<std::uint32_t> openers_;
    // Open addressing over records_: a record's hash in the high half and
    // 1 + its place in the low one, 0 for a free slot. With the hash in the
    // slot, a probe reads no record but the one it finds.
    std::vector<std::uint64_t> slots_;
};

// Lines [begin, end) of a file: a function's block and the function.
struct LineRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The block that is a function's own, with the function after it: of its
// declarations and definitions the first that a "/**" or "/*!" block
// precedes with nothing but blank, preprocessor or comment lines between.
// A file or licence header and a group marker ("@{", "@}", "@defgroup")
// are no function's block. Nullopt when none has one.
std::optional<LineRange> OwnBlock(DocumentLines& lines,
                                  const std::vector<VendorFunction>& occurrences);

}  // namespace quill
