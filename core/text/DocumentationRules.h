#pragma once
// How a documentation line is read: the positions the rules test and the
// rewriting of "@param" lines, shared by the parser, the lint rules and the
// header scan so that they cannot drift apart. Positions count from 0.

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

// Length of "@param": once the blanks of an entry are removed, its parameter
// name must stand exactly here, right after the keyword.
constexpr long kParamNameAt = 6;

// In "@param" + name + ":{...}" with blanks removed, the "}" of a usable list
// stands after this position (a one-letter name puts ":{" at 7 and 8).
constexpr long kListCloseAfter = 8;

// A rewritten "@param" line closes its list when it holds a "}" at this
// position or later; otherwise the list goes on in the next line.
constexpr long kListClosedFrom = 2;

// The first step for every line of a documenting file: a line holding "/**"
// or "/*!" anywhere loses its leading tabs and spaces. Returns true when the
// line then begins with one of them, that is, when it starts a block.
bool TrimBlockOpener(std::string& line);
// The same on a view, which loses those blanks from its front.
bool TrimBlockOpener(std::string_view& line);

// True when `line` begins with "/**" or "/*!".
bool BeginsBlock(const std::string& line);

// An "@param" line as the parser reads it: ":" becomes " :" (so "name:{" and
// "name :{" read alike), tabs become blanks, runs of blanks one blank.
std::string RewriteParamLine(const std::string& line);

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

// `line` as the parser cuts it.
std::string CutForParser(std::string line);

// The helper program an "@note" line names ("@note Run PinHelp.exe first"
// names PinHelp.exe: what follows the last blank before the end of ".exe");
// "" when the line names none.
std::string HelperNameOf(const std::string& line);

// True when the parser can find the "@param" entry of `name` at all: the
// first occurrence of the name in "@param" + name must be at kParamNameAt, so
// a name that occurs inside the keyword (p, a, r, m, "am" ...) never matches.
bool ParamNameCanMatch(const std::string& name);

// A documentation line as the parser keeps it: an "@param" line rewritten, a
// line that continues an open list joined to the next one (its line end
// goes), then cut. `listOpen` tells whether the list of an "@param" line
// before it is still open, and receives whether it is open after this line.
std::string ReadParserLine(std::string line, bool& listOpen);

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
