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
int FirstNormalisedChar(const std::string& line) {
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

// Appends `line` with its tabs expanded to four-column stops counted from the
// line's first byte.
void AppendExpandingTabs(std::string& out, const std::string& line) {
    std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
        out += line;
        return;
    }
    const std::size_t start = out.size();
    std::size_t from = 0;
    while (tab != std::string::npos) {
        out.append(line, from, tab - from);
        out.append(4 - (out.size() - start) % 4, ' ');
        from = tab + 1;
        tab = line.find('\t', from);
    }
    out.append(line, from, std::string::npos);
}

}  // namespace

bool TrimBlockOpener(std::string& line) {
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
    line.erase(0, std::min(line.find_first_not_of(" \t"), line.size()));
    return OpenerAt(line.data(), line.size());
}

bool NormalisedLineStartsWith(const std::string& line, const std::string& prefix) {
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
    std::string collected;
    found = false;
    std::string line;
    while (ReadTextLine(file, line)) {
        const bool opener = TrimBlockOpener(line);
        if (found && opener) {
            break;
        }
        if (opener) {
            // A new block starts here; what came before belongs to no function.
            collected.clear();
        }
        AppendExpandingTabs(collected, line);
        // Expanded or not, a run of blanks normalises to one space: the
        // comparison can use the line as read.
        if (!found && NormalisedLineStartsWith(line, entry)) {
            found = true;
        }
    }
    return collected;
}

PrototypeLookup LookUpPrototypeText(const std::string& documentingPath, const std::string& entry) {
    PrototypeLookup result;
    result.path = documentingPath;
    result.text.assign(1, '-');
    if (documentingPath.empty() || entry.empty()) {
        result.outcome = LookupOutcome::EmptyInput;
        return result;
    }

    const std::vector<std::string> forms = DocumentingPathForms(documentingPath);
    TextFile file;
    bool opened = false;
    for (std::size_t i = 0; i < forms.size() && !opened; ++i) {
        // Only the lower-case fallback may differ in case from the real path;
        // on a file system that distinguishes case, find the real one.
        result.path = (i + 1 == forms.size()) ? ResolvePathIgnoringCase(forms[i]) : forms[i];
        opened = file.Open(result.path);
    }
    if (!opened) {
        result.outcome = LookupOutcome::NoSource;
        return result;
    }

    bool found = false;
    std::string collected = CollectDocumentationBlock(file, entry, found);
    file.Close();
    if (!found) {
        result.outcome = LookupOutcome::NotFound;
        return result;
    }
    result.outcome = LookupOutcome::Found;
    result.text = std::move(collected);
    return result;
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
