#pragma once
// The lines of a documenting file as the prototype lookup and the
// documentation parser see them, read once through the line reader and only
// as far as a question needs. One function choice asks a few questions; a
// check of a whole library indexes every line first and asks many.
//
// The lines are kept as read, one after the other in one string, with where
// each begins (and the blanks a block opener loses): the parser's form of a line and the helper it
// names are worked out from it when asked for, so that a file costs little more than its own size.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/ReadTextLine.h"
#include "core/text/LineNormaliser.h"
#include "core/text/PrefixIndex.h"

namespace quill {

class DocumentLines {
public:
    DocumentLines() = default;  // no file: no lines
    explicit DocumentLines(TextFile file);

    // True when line i exists; reads on up to it.
    bool Has(std::size_t i);
    // The number of lines; reads the whole file.
    std::size_t Count();
    // The number of lines read so far.
    std::size_t CountRead() const { return starts_.size() - 1; }
    // True when made from a file that was open.
    bool FromOpenFile() const { return fromOpenFile_; }

    // The line as read, without its leading blanks when it starts a block;
    // valid until more lines are read.
    std::string_view Text(std::size_t i) const { return trimmed_[i] ? TrimmedText(i) : RawText(i); }
    // The line exactly as the line reader gave it, blanks and all.
    std::string_view RawText(std::size_t i) const {
        return std::string_view(bytes_.data() + starts_[i], starts_[i + 1] - starts_[i]);
    }
    // Lines [begin, end) as read, one after the other: RawText(begin) up to
    // the end of RawText(end - 1).
    std::string_view RawSpan(std::size_t begin, std::size_t end) const {
        return std::string_view(bytes_.data() + starts_[begin], starts_[end] - starts_[begin]);
    }
    // The line as the parser keeps it: "@param" lines rewritten, a line of an
    // open list joined to the next, cut before ";" or "//" and after ")".
    std::string ParserText(std::size_t i) const;
    // ParserText(i), as a view into the line itself where the parser only
    // cuts it, else in `scratch`.
    std::string_view ParserView(std::size_t i, std::string& scratch) const;
    // The helper program the line names in an "@note", or "".
    std::string Helper(std::size_t i) const;

    // The line that starts the block of line i (the last block opener at or
    // before it), or 0 when no opener comes before it.
    std::size_t BlockStart(std::size_t i) const;
    // The first block opener after line i, or Count() when none follows.
    std::size_t BlockEnd(std::size_t i);

    // The first line whose normalised copy begins with `entry` (the lookup's
    // match) and the first whose parser text does (the parser's match).
    std::optional<std::size_t> FirstLookupMatch(const std::string& entry);
    std::optional<std::size_t> FirstParserMatch(const std::string& entry);

    // Reads every line and has both matches indexed (as the first question
    // comes), so that each later match costs a search instead of a pass
    // over the file.
    void IndexAll();

    // True when reading the file failed before its end (see
    // TextFile::ReadFailed): the lines read so far are not the whole file.
    bool ReadFailed() const { return readFailed_; }

private:
    bool ReadNext();
    // Text(i) of a line that lost its leading blanks.
    std::string_view TrimmedText(std::size_t i) const;
    // True when the parser joins line i to the next: the list of an "@param"
    // line at or before it is still open.
    bool OpenAfter(std::size_t i) const { return listOpenAfter_[i]; }

    TextFile file_;
    bool fromOpenFile_ = false;
    bool readFailed_ = false;
    std::string bytes_;  // every line read, one after the other
    // Where each line begins, and after the last one where the next would:
    // line i is bytes_[starts_[i], starts_[i + 1]).
    std::vector<std::uint32_t> starts_{0};
    std::vector<std::uint32_t> openers_;  // the lines that start a block, ascending
    // A line that holds an opener loses its leading blanks: per line whether
    // it lost any, and the lines that did with how many, ascending.
    std::vector<bool> trimmed_;
    std::vector<std::uint32_t> trimmedLines_;
    std::vector<std::uint8_t> trimmedLeads_;
    std::vector<bool> listOpenAfter_;  // per line: see OpenAfter
    bool listOpen_ = false;            // the parser's state after the last line read
    // A match ends in ")" almost always: after IndexAll, the table answers
    // those (its first kind the lookup's, its second the parser's), and the
    // prefix indexes are built the first time it cannot.
    void IndexLookup();
    void IndexParser();
    // The line the table names for `entry` when that line does begin with
    // it; nullopt when the table shows that no line does.
    enum class Kind { Lookup, Parser };
    std::optional<std::size_t> FromTable(const std::string& entry, Kind kind, bool& answered);
    // The table's answer, else that of the kind's prefix index, built on
    // first use.
    std::optional<std::size_t> IndexedMatch(const std::string& entry, Kind kind);

    void IndexTable();
    bool indexed_ = false;
    bool tableBuilt_ = false;
    ParenPrefixTable parenTable_;
    std::string foundEntry_;  // the entry last asked of the table, and its answer
    ParenPrefixTable::Firsts found_;
    LineNormaliser normaliser_;
    std::optional<PrefixIndex> lookupIndex_;
    std::optional<PrefixIndex> parserIndex_;
};

// Appends `line` with its tabs expanded to 4-column stops counted from its
// first byte, as the source pane shows it.
void AppendExpanded(std::string_view line, std::string& out);

// Lines [begin, end) with their tabs expanded (each line on its own).
std::string ExpandedText(const DocumentLines& lines, std::size_t begin, std::size_t end);

}  // namespace quill
