#include "source/FunctionScanner.h"

#include "params/DocumentationRules.h"
#include "source/ReadTextLine.h"
#include "source/TextOps.h"

namespace quill {

namespace {

constexpr const char* kSemicolonPrototype = "; C Function prototype:";
constexpr const char* kAtPrototype = "@ C Function prototype:";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One line of a header; `inComment` carries the comment state from line to
// line.
std::optional<std::string> ScanHeaderLine(const std::string& line, bool& inComment) {
    long cut = static_cast<long>(line.size());
    const bool startedInComment = inComment;
    long opener = -1;
    if (startedInComment) {
        cut = 0;
    } else {
        opener = FindPos(line, "/*");
        if (opener >= 0) {
            cut = opener;
            inComment = true;
        }
    }
    if (startedInComment) {
        if (FindPos(line, "*/") >= 0) {
            inComment = false;
        }
    } else if (opener >= 0) {
        // Closed on the same line only by a "*/" after the opener.
        if (FindPos(line, "*/") > cut) {
            inComment = false;
        }
    }
    const long semicolon = FindPos(line, ";");
    if (semicolon >= 0 && semicolon < cut) {
        cut = semicolon;
    }
    const long lineComment = FindPos(line, "//");
    if (lineComment >= 0 && lineComment < cut) {
        cut = lineComment;
    }

    std::string text = line.substr(0, static_cast<std::size_t>(cut));
    const long close = FindPos(text, ")");
    if (close >= kCutParenFrom) {
        text.resize(static_cast<std::size_t>(close) + 1);
    }
    text = NormaliseLine(text);

    if (cut > 0 && !inComment && !text.empty() && IsAsciiLetter(text[0]) &&
        FindPos(text, "(") > 0 && FindPos(text, ")") > 0) {
        return text;
    }
    return std::nullopt;
}

}  // namespace

LibraryKind LibraryKindOf(const std::string& libraryPath) {
    if (FindPos(libraryPath, ".h") >= 3 || FindPos(libraryPath, ".H") >= 3) {
        return LibraryKind::Header;
    }
    return LibraryKind::Assembler;
}

std::optional<std::string> ScanAssemblerLine(const std::string& line) {
    if (!StartsWith(line, kSemicolonPrototype) && !StartsWith(line, kAtPrototype)) {
        return std::nullopt;
    }
    std::string text = ReplaceAll(line, kSemicolonPrototype, "");
    text = ReplaceAll(text, kAtPrototype, "");
    const std::size_t first = text.find_first_not_of(" \t\r\n\v\f");
    text.erase(0, first == std::string::npos ? text.size() : first);
    const long close = FindPos(text, ")");
    if (close < 3) {
        return std::nullopt;
    }
    return text.substr(0, static_cast<std::size_t>(close) + 1);
}

std::optional<std::string> FunctionScanner::Scan(const std::string& line) {
    if (kind_ == LibraryKind::Assembler) {
        return ScanAssemblerLine(line);
    }
    return ScanHeaderLine(line, inComment_);
}

std::vector<std::string> ScanFunctionEntries(LibraryKind kind,
                                             const std::vector<std::string>& lines) {
    FunctionScanner scanner(kind);
    std::vector<std::string> entries;
    for (const std::string& line : lines) {
        if (line.empty()) {
            break;  // the reader's end-of-file signal
        }
        if (std::optional<std::string> entry = scanner.Scan(line)) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

LibraryScan ScanLibraryFile(const std::string& libraryPath) {
    LibraryScan scan;
    if (libraryPath.empty()) {
        return scan;
    }
    TextFile file;
    if (!file.Open(libraryPath)) {
        return scan;
    }
    scan.opened = true;
    FunctionScanner scanner(LibraryKindOf(libraryPath));
    for (std::string line = ReadTextLine(file); !line.empty(); line = ReadTextLine(file)) {
        if (std::optional<std::string> entry = scanner.Scan(line)) {
            scan.entries.push_back(std::move(*entry));
        }
    }
    return scan;
}

std::string LibraryUnavailableMessage(const std::string& libraryPath) {
    return "Library " + libraryPath + " source file not available.\nFix using Library Combobox.";
}

}  // namespace quill
