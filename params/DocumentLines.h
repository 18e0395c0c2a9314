#pragma once
// The lines of a documenting file as the prototype lookup and the
// documentation parser see them, read once through the line reader and only
// as far as a question needs. One function choice asks a few questions; a
// check of a whole library indexes every line first and asks many.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "params/DocumentationRules.h"
#include "source/PrefixIndex.h"
#include "source/ReadTextLine.h"

namespace quill {

class DocumentLines {
public:
    DocumentLines() = default;  // no file: no lines
    explicit DocumentLines(TextFile file);

    // True when line i exists; reads on up to it.
    bool Has(std::size_t i);
    // The number of lines; reads the whole file.
    std::size_t Count();

    // The line as read, without its leading blanks when it starts a block.
    const std::string& Text(std::size_t i) const { return lines_[i].text; }
    // The line as the parser keeps it: "@param" lines rewritten, a line of an
    // open list joined to the next, cut before ";" or "//" and after ")".
    const std::string& ParserText(std::size_t i) const { return lines_[i].parserText; }
    // The helper program the line names in an "@note", or "".
    const std::string& Helper(std::size_t i) const { return lines_[i].helper; }

    // The line that starts the block of line i (the last block opener at or
    // before it), or 0 when no opener comes before it.
    std::size_t BlockStart(std::size_t i) const { return lines_[i].blockStart; }
    // The first block opener after line i, or Count() when none follows.
    std::size_t BlockEnd(std::size_t i);

    // The first line whose normalised copy begins with `entry` (the lookup's
    // match) and the first whose parser text does (the parser's match).
    std::optional<std::size_t> FirstLookupMatch(const std::string& entry);
    std::optional<std::size_t> FirstParserMatch(const std::string& entry);

    // Reads every line and indexes both matches, so that each later match
    // costs a search instead of a pass over the file.
    void IndexAll();

    // True when reading the file failed before its end (see
    // TextFile::ReadFailed): the lines read so far are not the whole file.
    bool ReadFailed() const { return readFailed_; }

private:
    struct Line {
        std::string text;
        std::string parserText;
        std::string helper;
        std::size_t blockStart = 0;
    };

    bool ReadNext();
    template <typename TextOf>
    std::optional<std::size_t> FirstMatch(const std::string& entry, TextOf textOf);

    TextFile file_;
    bool readFailed_ = false;
    std::vector<Line> lines_;
    ParserLineReader parser_;
    std::optional<PrefixIndex> lookupIndex_;
    std::optional<PrefixIndex> parserIndex_;
};

// Lines [begin, end) with their tabs expanded, as the source pane shows them.
std::string ExpandedText(const DocumentLines& lines, std::size_t begin, std::size_t end);

}  // namespace quill
