#include "source/PrototypeLookup.h"

#include <algorithm>
#include <cstring>

#include "source/PathCase.h"
#include "source/TextOps.h"

namespace quill {

namespace {

// "/**" or "/*!" at `p`, with `left` bytes available from there.
bool OpenerAt(const char* p, std::size_t left) {
    return left >= 3 && p[0] == '/' && p[1] == '*' && (p[2] == '*' || p[2] == '!');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first character of NormaliseLine(line) for a line that does not begin
// with a blank, or -1 when that text is empty. A line beginning with a blank
// gives ' ' (its normalised form then begins with ' ', ",", "(" or ")").
int FirstNormalisedChar(std::string_view line) {
    const std::size_t n = line.size();
    if (n > 0 && IsBlank(line[0])) {
        return ' ';
    }
    // Tabs become spaces and runs of blanks one space, then every "extern "
    // goes: leading "extern" words followed by blanks vanish one after the
    // other. The comma and parenthesis rules only touch spaces.
    std::size_t i = 0;
    while (i + 6 < n && line[i] == 'e' && line.compare(i, 6, "extern") == 0 &&
           IsBlank(line[i + 6])) {
        i += 6;
        while (i < n && IsBlank(line[i])) {
            ++i;
        }
    }
    return i < n ? static_cast<unsigned char>(line[i]) : -1;
}

}  // namespace

bool TrimBlockOpener(std::string_view& line) {
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    bool holdsOpener = false;
    for (const char* p = begin; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '/', static_cast<std::size_t>(end - p)));
        if (p == nullptr) {
            break;
        }
        if (OpenerAt(p, static_cast<std::size_t>(end - p))) {
            holdsOpener = true;
            break;
        }
    }
    if (!holdsOpener) {
        return false;
    }
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    return OpenerAt(line.data(), line.size());
}

bool TrimBlockOpener(std::string& line) {
    std::string_view view = line;
    const bool opens = TrimBlockOpener(view);
    line.erase(0, line.size() - view.size());
    return opens;
}

bool NormalisedLineStartsWith(std::string_view line, std::string_view prefix) {
    if (prefix.empty()) {
        return true;
    }
    const char first = prefix[0];
    const bool decidedByFirstChar = first != ' ' && first != ',' && first != '(' && first != ')';
    if (decidedByFirstChar && FirstNormalisedChar(line) != static_cast<unsigned char>(first)) {
        return false;
    }
    return StartsWith(NormaliseLine(line), prefix);
}

std::string SourcePathForHeader(const std::string& path) {
    const std::size_t n = path.size();
    if (n >= 2 && path[n - 2] == '.' && (path[n - 1] == 'h' || path[n - 1] == 'H')) {
        std::string source = path;
        source[n - 1] = 'c';
        return source;
    }
    return path;
}

std::vector<std::string> DocumentingPathForms(const std::string& documentingPath) {
    std::string lastC = documentingPath;
    if (!lastC.empty()) {
        lastC.back() = 'c';
    }
    // A header kept in a folder named include finds its source in the
    // sibling folder Src. "\" is the Windows separator, "/" the others'.
    std::string sibling = ToLowerAscii(lastC);
    sibling = ReplaceAll(sibling, "\\include\\", "\\Src\\");
    sibling = ReplaceAll(sibling, "/include/", "/Src/");
    return {documentingPath, lastC, sibling};
}

std::string CollectDocumentationBlock(TextFile& file, const std::string& entry, bool& found) {
    DocumentLines lines(std::move(file));
    const std::optional<std::size_t> match = lines.FirstLookupMatch(entry);
    found = match.has_value();
    if (found) {
        return ExpandedText(lines, lines.BlockStart(*match), lines.BlockEnd(*match));
    }
    const std::size_t count = lines.Count();
    return count == 0 ? std::string() : ExpandedText(lines, lines.BlockStart(count - 1), count);
}

DocumentingFile OpenDocumentingFile(const std::string& documentingPath) {
    DocumentingFile opened;
    opened.path = documentingPath;
    if (documentingPath.empty()) {
        return opened;
    }
    const std::vector<std::string> forms = DocumentingPathForms(documentingPath);
    TextFile file;
    for (std::size_t i = 0; i < forms.size() && !opened.opened; ++i) {
        // Only the lower-case fallback may differ in case from the real path;
        // on a file system that distinguishes case, find the real one.
        opened.path = (i + 1 == forms.size()) ? ResolvePathIgnoringCase(forms[i]) : forms[i];
        opened.opened = file.Open(opened.path);
    }
    if (opened.opened) {
        opened.lines = DocumentLines(std::move(file));
    }
    return opened;
}

PrototypeLookup LookUpInLines(DocumentLines& lines, const std::string& path,
                              const std::string& entry) {
    PrototypeLookup result;
    result.path = path;
    const std::optional<std::size_t> match = lines.FirstLookupMatch(entry);
    if (!match) {
        result.outcome = LookupOutcome::NotFound;
        result.text.assign(1, '-');
        return result;
    }
    result.outcome = LookupOutcome::Found;
    result.text = ExpandedText(lines, lines.BlockStart(*match), lines.BlockEnd(*match));
    return result;
}

PrototypeLookup LookUpPrototypeText(const std::string& documentingPath, const std::string& entry) {
    PrototypeLookup result;
    result.path = documentingPath;
    result.text.assign(1, '-');
    if (documentingPath.empty() || entry.empty()) {
        result.outcome = LookupOutcome::EmptyInput;
        return result;
    }
    DocumentingFile file = OpenDocumentingFile(documentingPath);
    if (!file.opened) {
        result.outcome = LookupOutcome::NoSource;
        result.path = file.path;
        return result;
    }
    return LookUpInLines(file.lines, file.path, entry);
}

std::string NoSourceMessage(const std::string& documentingPath) {
    std::string message = "Could not find source ";
    message.append(documentingPath).append(" or .c");
    return message;
}

std::string NotFoundMessage(const std::string& entry, const std::string& documentingPath) {
    std::string message = "Could not find \n";
    message.append(entry).append("\nin ").append(documentingPath).append("\nMust match exactly.");
    return message;
}

}  // namespace quill
