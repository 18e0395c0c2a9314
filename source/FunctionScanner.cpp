#include "source/FunctionScanner.h"

#include <algorithm>
#include <cstring>

#include "params/DocumentationRules.h"
#include "source/ReadTextLine.h"

namespace quill {

namespace {

constexpr std::string_view kSemicolonPrototype = "; C Function prototype:";
constexpr std::string_view kAtPrototype = "@ C Function prototype:";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// First position of "/*" (`opener`) or of "*/" (otherwise) in `line`, or
// npos. Looks for the "/", which is rare in headers, where "*" is not.
std::size_t FindCommentMark(std::string_view line, bool opener) {
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    for (const char* p = begin; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '/', static_cast<std::size_t>(end - p)));
        if (p == nullptr) {
            break;
        }
        if (opener && p + 1 < end && p[1] == '*') {
            return static_cast<std::size_t>(p - begin);
        }
        if (!opener && p > begin && p[-1] == '*') {
            return static_cast<std::size_t>(p - 1 - begin);
        }
    }
    return std::string_view::npos;
}

// Position of `what` in `text` within its first `limit` bytes, or npos.
std::size_t FindBefore(std::string_view text, std::string_view what, std::size_t limit) {
    return text.substr(0, limit).find(what);
}

// Removes every occurrence of `what` from `text` in one left-to-right pass.
void EraseAll(std::string& text, std::string_view what) {
    std::size_t pos = text.find(what);
    if (pos == std::string::npos) {
        return;
    }
    std::size_t out = pos;
    for (;;) {
        // Only bytes before `from` have been overwritten, so the search
        // still sees the original text.
        const std::size_t from = pos + what.size();
        pos = text.find(what, from);
        const std::size_t end = pos == std::string::npos ? text.size() : pos;
        std::copy(text.begin() + from, text.begin() + end, text.begin() + out);
        out += end - from;
        if (pos == std::string::npos) {
            break;
        }
    }
    text.resize(out);
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
std::optional<std::string_view> FunctionScanner::ScanHeaderLine(std::string_view line) {
    if (inComment_) {
        // Any "*/" closes the comment, but the line itself is cut to nothing.
        if (FindCommentMark(line, false) != std::string_view::npos) {
            inComment_ = false;
        }
        return std::nullopt;
    }
    std::size_t cut = line.size();
    const std::size_t opener = FindCommentMark(line, true);
    if (opener != std::string_view::npos) {
        cut = opener;
        // Closed on the same line only when its first "*/" follows the opener.
        const std::size_t close = FindCommentMark(line, false);
        inComment_ = close == std::string_view::npos || close <= opener;
    }
    // A letter first also means that nothing below cuts at index 0.
    if (inComment_ || line.empty() || !IsAsciiLetter(line[0])) {
        return std::nullopt;
    }
    cut = std::min(cut, FindBefore(line, ";", cut));
    cut = std::min(cut, FindBefore(line, "//", cut));
    std::string_view text = line.substr(0, cut);
    const std::size_t close = text.find(')');
    if (close != std::string_view::npos && static_cast<long>(close) >= kCutParenFrom) {
        text = text.substr(0, close + 1);
    }
    const std::string_view normal = normaliser_.Normalise(text);
    const std::size_t open = normal.find('(');
    const std::size_t shut = normal.find(')');
    if (!normal.empty() && IsAsciiLetter(normal[0]) && open != std::string_view::npos && open > 0 &&
        shut != std::string_view::npos && shut > 0) {
        return normal;
    }
    return std::nullopt;
}

std::optional<std::string_view> FunctionScanner::ScanAssemblerLine(std::string_view line) {
    if (!StartsWith(line, kSemicolonPrototype) && !StartsWith(line, kAtPrototype)) {
        return std::nullopt;
    }
    entry_.assign(line);
    EraseAll(entry_, kSemicolonPrototype);
    EraseAll(entry_, kAtPrototype);
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
    return ScanHeaderLine(line);
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

bool ScanLibraryFile(const std::string& libraryPath, const EntrySink& onEntry) {
    TextFile file;
    if (libraryPath.empty() || !file.Open(libraryPath)) {
        return false;
    }
    FunctionScanner scanner(LibraryKindOf(libraryPath));
    for (;;) {
        if (scanner.WaitsForCommentEnd()) {
            file.SkipLinesWithout("*/");
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
