#include "core/library/FunctionScanner.h"

#include <algorithm>
#include <cstring>

#include "core/files/ReadTextLine.h"
#include "core/text/ByteSearch.h"
#include "core/text/DocumentationRules.h"

namespace quill {

namespace {

constexpr std::string_view kSemicolonPrototype = "; C Function prototype:";
constexpr std::string_view kAtPrototype = "@ C Function prototype:";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr std::size_t kNone = std::string_view::npos;

}  // namespace

// Where the marks that decide a header line stand, as offsets from its first
// byte; kNone when the line has none. Only the walk that looks for them
// notes ";" and ")".
struct HeaderMarks {
    std::size_t opener = kNone;       // first "/*"
    std::size_t closer = kNone;       // first "*/"
    std::size_t lineComment = kNone;  // first "//"
    std::size_t semicolon = kNone;    // first ";"
    std::size_t paren = kNone;        // first ")"
};

namespace {

// Notes the mark at `p` of the line from `begin`; true when it ends the line.
bool NoteMark(const char* const begin, const char* const p, const char* const limit,
              HeaderMarks& marks) {
    const auto at = static_cast<std::size_t>(p - begin);
    switch (*p) {
        case '\n':
            return true;
        case '/':
            if (p > begin && p[-1] == '*' && marks.closer == kNone) {
                marks.closer = at - 1;
            }
            if (p + 1 < limit && p[1] == '*' && marks.opener == kNone) {
                marks.opener = at;
            } else if (p + 1 < limit && p[1] == '/' && marks.lineComment == kNone) {
                marks.lineComment = at;
            }
            return false;
        case ';':
            marks.semicolon = std::min(marks.semicolon, at);
            return false;
        default:  // ')'
            marks.paren = std::min(marks.paren, at);
            return false;
    }
}

// Walks a line from `begin` to its "\n" (included) noting the marks (";"
// and ")" only with `kEntryMarks`), and returns where the next line begins;
// nullptr when no "\n" comes before `limit`. One pass looks for every mark
// at once, sixty-four bytes at a time where that many are there: "/" is rare
// in the lines outside comments, "*" is not.
template <bool kEntryMarks>
const char* WalkLine(const char* const begin, const char* const limit, HeaderMarks& marks) {
    const char* block = begin;
    for (; limit - block >= 64; block += 64) {
        std::uint64_t lineEnds = 0, slashes = 0, semicolons = 0, parens = 0;
        if constexpr (kEntryMarks) {
            const auto masks = EachMatchMask64<'\n', '/', ';', ')'>(block);
            lineEnds = masks[0];
            slashes = masks[1];
            semicolons = masks[2];
            parens = masks[3];
        } else {
            const auto masks = EachMatchMask64<'\n', '/'>(block);
            lineEnds = masks[0];
            slashes = masks[1];
        }
        // Only the marks before the line's end count.
        const std::uint64_t inLine = lineEnds != 0 ? (lineEnds & (0 - lineEnds)) - 1 : ~0ull;
        const auto offset = static_cast<std::size_t>(block - begin);
        if ((semicolons & inLine) != 0 && marks.semicolon == kNone) {
            marks.semicolon = offset + LowestBit(semicolons);
        }
        if ((parens & inLine) != 0 && marks.paren == kNone) {
            marks.paren = offset + LowestBit(parens);
        }
        for (slashes &= inLine; slashes != 0; slashes &= slashes - 1) {
            NoteMark(begin, block + LowestBit(slashes), limit, marks);
        }
        if (lineEnds != 0) {
            return block + LowestBit(lineEnds) + 1;
        }
    }
    for (const char* p = block;; ++p) {
        if constexpr (kEntryMarks) {
            p = FindFirstOf<'\n', '/', ';', ')'>(p, limit);
        } else {
            p = FindFirstOf<'\n', '/'>(p, limit);
        }
        if (p == limit) {
            return nullptr;
        }
        if (NoteMark(begin, p, limit, marks)) {
            return p + 1;
        }
    }
}

// Passes the whole lines from `line`, a line start outside a comment, that
// can neither be entries nor open a comment (no letter first, no "/"), with
// no work per line but a look at its first byte: sixty-four bytes at a time,
// the line ends and slashes among them tell where lines end and whether one
// needs a closer look. Returns the first line start that needs one, or where
// it cannot tell (the bytes end within 64, or a line runs past 255 bytes).
const char* SkipPlainLines(const char* line, const char* const end) {
    if (IsAsciiLetter(*line)) {
        return line;
    }
    for (const char* p = line; end - p >= 64; p += 64) {
        auto [lineEnds, slash] = EachMatchMask64<'\n', '/'>(p);
        if (slash != 0) {
            lineEnds &= (slash & (0 - slash)) - 1;  // those before the first "/"
        }
        for (; lineEnds != 0; lineEnds &= lineEnds - 1) {
            const char* const next = p + LowestBit(lineEnds) + 1;
            if (static_cast<std::size_t>(next - line) > kMaxLineBytes) {
                return line;  // cut into pieces by the walk
            }
            line = next;
            if (line == end || IsAsciiLetter(*line)) {
                return line;
            }
        }
        if (slash != 0 || static_cast<std::size_t>(p + 64 - line) > kMaxLineBytes) {
            return line;
        }
    }
    return line;
}

// The marks of a whole line.
HeaderMarks MarksOf(std::string_view line) {
    HeaderMarks marks;
    WalkLine<true>(line.data(), line.data() + line.size(), marks);
    return marks;
}

}  // namespace

LibraryKind LibraryKindOf(const std::string& libraryPath) {
    if (FindPos(libraryPath, ".h") >= 3 || FindPos(libraryPath, ".H") >= 3) {
        return LibraryKind::Header;
    }
    return LibraryKind::Assembler;
}

// One line of a header. Most lines of a header cannot be entries (comments,
// indented lines, preprocessor lines): the comment state and the first byte
// settle those before anything is cut or normalised. Normalising never
// brings a letter to the front, so a line that does not begin with one
// cannot give an entry.
std::optional<std::string_view> FunctionScanner::ScanHeaderLine(std::string_view line,
                                                                const HeaderMarks& marks) {
    if (inComment_) {
        // Any "*/" closes the comment, but the line itself is cut to nothing.
        inComment_ = marks.closer == kNone;
        return std::nullopt;
    }
    if (marks.opener != kNone) {
        // Closed on the same line only when its first "*/" follows the opener.
        inComment_ = marks.closer == kNone || marks.closer <= marks.opener;
    }
    // A letter first also means that nothing below cuts at index 0.
    if (inComment_ || line.empty() || !IsAsciiLetter(line[0])) {
        return std::nullopt;
    }
    const std::size_t cut =
        std::min({line.size(), marks.opener, marks.semicolon, marks.lineComment});
    std::string_view text = line.substr(0, cut);
    if (marks.paren >= cut) {
        return std::nullopt;  // no ")", and normalising adds none
    }
    if (static_cast<long>(marks.paren) >= kCutParenFrom) {
        text = text.substr(0, marks.paren + 1);
    }
    // Normalising keeps every "(" and ")", and the letter first unless it
    // drops an "extern " there.
    const std::string_view normal = normaliser_.Normalise(text);
    if (IsAsciiLetter(normal[0]) && normal.find('(') != std::string_view::npos) {
        return normal;
    }
    return std::nullopt;
}

std::optional<std::string_view> FunctionScanner::ScanAssemblerLine(std::string_view line) {
    if (!StartsWith(line, kSemicolonPrototype) && !StartsWith(line, kAtPrototype)) {
        return std::nullopt;
    }
    entry_ = ReplaceAll(ReplaceAll(line, kSemicolonPrototype, ""), kAtPrototype, "");
    std::string_view text = entry_;
    const std::size_t first = text.find_first_not_of(" \t\r\n\v\f");
    text.remove_prefix(first == std::string_view::npos ? text.size() : first);
    const std::size_t close = text.find(')');
    if (close == std::string_view::npos || close < 3) {
        return std::nullopt;
    }
    return text.substr(0, close + 1);
}

std::optional<std::string_view> FunctionScanner::Scan(std::string_view line) {
    if (kind_ == LibraryKind::Assembler) {
        return ScanAssemblerLine(line);
    }
    return ScanHeaderLine(line, MarksOf(line));
}

std::size_t FunctionScanner::ScanLines(std::string_view bytes, EntrySink onEntry) {
    if (kind_ != LibraryKind::Header) {
        return 0;
    }
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* line = begin;
    while (line < end) {
        if (!inComment_) {
            line = SkipPlainLines(line, end);
            if (line == end) {
                break;
            }
        }
        const char* const limit =
            static_cast<std::size_t>(end - line) > kMaxLineBytes ? line + kMaxLineBytes : end;
        // Only a line that may be an entry needs its ";" and ")".
        HeaderMarks marks;
        const char* next = !inComment_ && IsAsciiLetter(*line)
                               ? WalkLine<true>(line, limit, marks)
                               : WalkLine<false>(line, limit, marks);
        if (next == nullptr) {
            if (static_cast<std::size_t>(limit - line) < kMaxLineBytes) {
                break;  // the line may go on past `bytes`
            }
            next = limit;  // a 255-byte piece
        }
        const std::string_view whole(line, static_cast<std::size_t>(next - line));
        if (std::optional<std::string_view> entry = ScanHeaderLine(whole, marks)) {
            onEntry(*entry);
        }
        line = next;
        if (inComment_) {
            break;
        }
    }
    return static_cast<std::size_t>(line - begin);
}

std::vector<std::string> ScanFunctionEntries(LibraryKind kind,
                                             const std::vector<std::string>& lines) {
    FunctionScanner scanner(kind);
    std::vector<std::string> entries;
    for (const std::string& line : lines) {
        if (line.empty()) {
            break;  // the reader's end-of-file signal
        }
        if (std::optional<std::string_view> entry = scanner.Scan(line)) {
            entries.emplace_back(*entry);
        }
    }
    return entries;
}

bool ScanLibraryFile(const std::string& libraryPath, EntrySink onEntry) {
    TextFile file;
    if (libraryPath.empty() || !file.Open(libraryPath)) {
        return false;
    }
    FunctionScanner scanner(LibraryKindOf(libraryPath));
    for (;;) {
        if (scanner.WaitsForCommentEnd()) {
            file.SkipLinesWithout("*/");
        }
        // Whole lines straight from the buffer; the reader takes the rest.
        if (const std::size_t taken = scanner.ScanLines(file.Pending(), onEntry); taken > 0) {
            file.Consume(taken);
            continue;
        }
        const std::string_view line = file.NextLine();
        if (line.empty()) {
            break;
        }
        if (std::optional<std::string_view> entry = scanner.Scan(line)) {
            onEntry(*entry);
        }
    }
    return !file.ReadFailed();
}

LibraryScan ScanLibraryFile(const std::string& libraryPath) {
    LibraryScan scan;
    scan.opened = ScanLibraryFile(
        libraryPath, [&scan](std::string_view entry) { scan.entries.emplace_back(entry); });
    if (!scan.opened) {
        scan.entries.clear();  // part of a list is no list
    }
    return scan;
}

std::string LibraryUnavailableMessage(const std::string& libraryPath) {
    return "Library " + libraryPath + " source file not available.\nFix using Library Combobox.";
}

}  // namespace quill
