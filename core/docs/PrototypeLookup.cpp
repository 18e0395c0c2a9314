#include "core/docs/PrototypeLookup.h"

#include <algorithm>
#include <cstring>

#include "core/text/PathCase.h"
#include "core/text/TextOps.h"

namespace quill {

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
        result.text = std::string(kNoText);
        return result;
    }
    result.outcome = LookupOutcome::Found;
    result.text = ExpandedText(lines, lines.BlockStart(*match), lines.BlockEnd(*match));
    return result;
}

PrototypeLookup LookUpPrototypeText(const std::string& documentingPath, const std::string& entry) {
    PrototypeLookup result;
    result.path = documentingPath;
    result.text = std::string(kNoText);
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
