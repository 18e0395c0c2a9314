#include "source/PrototypeLookup.h"

#include "source/PathCase.h"
#include "source/TextOps.h"

namespace quill {

namespace {

bool BeginsWithOpener(const std::string& line) {
    return StartsWith(line, "/**") || StartsWith(line, "/*!");
}

}  // namespace

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
    for (std::string line = ReadTextLine(file); !line.empty(); line = ReadTextLine(file)) {
        if (HoldsBlockOpener(line)) {
            line = TrimLeadingTabsAndSpaces(line);
        }
        const bool opener = BeginsWithOpener(line);
        if (found && opener) {
            break;
        }
        if (opener) {
            // A new block starts here; what came before belongs to no function.
            collected.clear();
        }
        line = ExpandTabs(line);
        collected += line;
        if (!found && StartsWith(NormaliseLine(line), entry)) {
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
