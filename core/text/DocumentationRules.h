#pragma once
// How a documentation line is read: where the parts of an "@param" entry
// stand, the rewriting of "@param" lines, the block openers and the positions
// the rules test, shared by the parser, the lint rules, the vendor
// conventions and the header scan so that they cannot drift apart. Positions
// count from 0.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// A ")" at this position or later ends the line right after it; one nearer
// the start (the "(" of a short prefix such as "f()") does not cut.
constexpr long kCutParenFrom = 5;

// A parameter's "type name" text must be longer than this: "T x" (3 bytes)
// or less ends the parameter list of a prototype.
constexpr long kShortestParameterText = 3;

// The parameter list of a prototype is read only when its ")" stands at
// least this far after its "(" (four characters between them).
constexpr long kShortestParameterList = 5;

// An "@note" line names a helper program only when its ".exe" stands at this
// position or later ("@note" plus at least the blank before the name).
constexpr long kHelperExeFrom = 5;

// The keywords of a parameter entry. Only the first is read by the parser;
// the lint and the vendor conventions know the second too.
inline constexpr std::string_view kParamKeyword = "@param";
inline constexpr std::string_view kBackslashParamKeyword = "\\param";

// Whether a direction ("[in]", "[out]" ...) may stand right after the keyword.
enum class ParamDirection { NotRead, Skipped };

// One "@param NAME :{LIST}" line as its author wrote it. Positions count from
// the line's start; the views point into the line read.
struct ParamLine {
    std::size_t keywordAt = 0;       // where the keyword begins (its first occurrence)
    bool blankAfterKeyword = false;  // a space or a tab follows it (and a skipped direction)
    std::string_view word;           // after those blanks up to the next blank; "" without one
    std::string_view name;           // the word up to a ":" or a "{"
    std::string_view beforeList;     // between the name and the list's "{" (" :" as a rule)
    std::size_t listAt = std::string_view::npos;   // the first "{" after the name (after
                                                   // the keyword when no blank follows it)
    std::size_t listEnd = std::string_view::npos;  // the first "}" after that "{"
    std::string_view listText;                     // between the two; "" while the list is open

    bool HasList() const { return listAt != std::string_view::npos; }
    bool ListClosed() const { return listEnd != std::string_view::npos; }
};

// Reads the first `keyword` of `line` (give it without its line end);
// nullopt when the line holds none. With ParamDirection::Skipped a "[...]"
// right after the keyword is passed over, and a "[" without its "]" leaves
// neither a blank after the keyword nor a list.
std::optional<ParamLine> ReadParamLine(std::string_view line,
                                       std::string_view keyword = kParamKeyword,
                                       ParamDirection direction = ParamDirection::NotRead);

// The list the parser takes for parameter `name` from its documentation
// text (lines as ReadParserLine keeps them): the first "@param NAME :{" is
// its entry, the rest of that line with its blanks removed is read, and
// what stands between the first "{" and the first "}" is the list. "" when
// there is no such entry, the line has no line end, the name is one that
// cannot match (see ParamNameCanMatch) or the "}" stands too early.
std::string ParserParamList(std::string_view text, std::string_view name);

// The first step for every line of a documenting file: a line holding "/**"
// or "/*!" anywhere loses its leading tabs and spaces. Returns true when the
// line then begins with one of them, that is, when it starts a block.
bool TrimBlockOpener(std::string& line);
// The same on a view, which loses those blanks from its front.
bool TrimBlockOpener(std::string_view& line);

// True when `line` begins with "/**" or "/*!".
bool BeginsBlock(std::string_view line);

// Where the comment that a block opener began ends on `line`: the position
// of its first "*/", or npos.
std::size_t BlockCloseAt(std::string_view line);

// An "@param" line as the parser reads it: ":" becomes " :" (so "name:{" and
// "name :{" read alike), tabs become blanks, runs of blanks one blank.
std::string RewriteParamLine(std::string_view line);
// The same into `out`, whose room is kept from one call to the next.
void RewriteParamLine(std::string_view line, std::string& out);

// True when a line rewritten by RewriteParamLine leaves its list open, so
// that the parser joins the next line to it.
bool ParamListStaysOpen(const std::string& rewrittenLine);

// Where the parser cuts a line: before the first ";" or "//", then after a
// ")" at kCutParenFrom or later.
struct LineCut {
    std::size_t at = std::string::npos;  // position of the mark; npos: the line stays whole
    std::string mark;                    // ")", ";", "//" or ""
    std::size_t Kept() const { return mark == ")" ? at + 1 : at; }
};
LineCut ParserCut(std::string_view line);

// Cuts `line` as the parser does.
void CutForParser(std::string& line);

// The helper program an "@note" line names ("@note Run PinHelp.exe first"
// names PinHelp.exe: what follows the last blank before the end of ".exe");
// "" when the line names none.
std::string HelperNameOf(const std::string& line);

// True when the parser can find the "@param" entry of `name` at all: the
// first occurrence of the name in "@param" + name must be right after the
// keyword, so a name that occurs inside it (p, a, r, m, "am" ...) never
// matches.
bool ParamNameCanMatch(std::string_view name);

// A documentation line as the parser keeps it: an "@param" line rewritten, a
// line that continues an open list joined to the next one (its line end
// goes), then cut. `listOpen` tells whether the list of an "@param" line
// before it is still open, and receives whether it is open after this line.
std::string ReadParserLine(std::string_view line, bool& listOpen);
// The same into `out`, whose room is kept from one call to the next.
void ReadParserLine(std::string_view line, bool& listOpen, std::string& out);

// The open-list state ReadParserLine leaves after `line`, given the state
// before it, without rewriting the line where that can be helped.
bool ListOpenAfter(std::string_view line, bool listOpen);

// True when ReadParserLine leaves `line` as CutForParser alone would: it
// holds no "@" and no list is open before it.
inline bool ParserOnlyCuts(std::string_view line, bool listOpen) {
    return !listOpen && line.find('@') == std::string_view::npos;
}

// The helper program a documentation line names for the parser: that of an
// "@note" line (see HelperNameOf), never one of an "@param" line; "" when
// it names none.
std::string ParserHelperOf(const std::string& line);

}  // namespace quill
