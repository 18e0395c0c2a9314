#include "cli/DocumentIndex.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "params/DocumentationLint.h"
#include "source/ReadTextLine.h"
#include "source/TextOps.h"

namespace quill::cli {

namespace {

bool BeginsWithOpener(const std::string& line) {
    return StartsWith(line, "/**") || StartsWith(line, "/*!");
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

FunctionChoice DocumentIndex::Choose(const std::string& entry) {
    if (!built_) {
        // The first function goes the window's way; its lookup tells which
        // form of the documenting path opens.
        FunctionChoice choice = ChooseFunction(libraryPath_, entry);
        built_ = true;
        if (choice.lookup.outcome == LookupOutcome::Found ||
            choice.lookup.outcome == LookupOutcome::NotFound) {
            Build(choice.lookup.path);
        }
        return choice;
    }
    if (usable_) {
        if (std::optional<FunctionChoice> choice = ChooseFromIndex(entry)) {
            return std::move(*choice);
        }
    }
    return ChooseFunction(libraryPath_, entry);
}

void DocumentIndex::Build(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return;
    }
    path_ = path;
    bytes_ = std::move(*bytes);

    // The line reader's rule: up to and including "\n", at most 255 bytes,
    // cut at a NUL; an empty line ends every scan.
    bool openList = false;
    std::size_t pos = 0;
    while (pos < bytes_.size()) {
        const std::size_t newline = bytes_.find('\n', pos);
        std::size_t take = bytes_.size() - pos;
        if (newline != std::string::npos && newline - pos < take) {
            take = newline - pos + 1;
        }
        take = std::min(take, kMaxLineBytes);
        std::string line = bytes_.substr(pos, take);
        line.resize(std::min(line.size(), line.find('\0')));
        if (line.empty()) {
            break;
        }
        if (HoldsBlockOpener(line)) {
            line = TrimLeadingTabsAndSpaces(line);
        }
        Line indexed;
        indexed.offset = pos;
        indexed.opener = BeginsWithOpener(line);
        indexed.openListBefore = openList;
        indexed.normalised = NormaliseLine(ExpandTabs(line));
        lines_.push_back(std::move(indexed));

        if (FindPos(line, "@param") >= 0) {
            openList = ParamListStaysOpen(line);
        } else if (FindPos(line, "@") >= 0) {
            openList = false;
        }
        pos += take;
    }
    usable_ = true;
}

std::optional<FunctionChoice> DocumentIndex::ChooseFromIndex(const std::string& entry) const {
    const std::string documentingPath = SourcePathForHeader(libraryPath_);
    std::size_t match = 0;
    while (match < lines_.size() && !StartsWith(lines_[match].normalised, entry)) {
        ++match;
    }
    if (entry.empty() || match == lines_.size()) {
        PrototypeLookup lookup;
        lookup.outcome = entry.empty() ? LookupOutcome::EmptyInput : LookupOutcome::NotFound;
        lookup.path = entry.empty() ? documentingPath : path_;
        lookup.text.assign(1, '-');  // the lookup's failure marker
        DocumentationParse parse = ParseFunctionDocumentation(lookup.path, entry, false);
        return CompleteChoice(documentingPath, entry, std::move(lookup), std::move(parse));
    }

    // Both scans start afresh at every block opener, so reading from the last
    // opener before the function's line gives what reading the whole file
    // gives, unless a list left open before it would be joined to it.
    std::size_t start = match;
    while (start > 0 && !lines_[start].opener) {
        --start;
    }
    if (lines_[start].openListBefore) {
        return std::nullopt;
    }
    const std::string tail = bytes_.substr(lines_[start].offset);

    PrototypeLookup lookup;
    TextFile forLookup = TextFile::FromBytes(tail);
    bool found = false;
    lookup.text = CollectDocumentationBlock(forLookup, entry, found);
    if (!found) {
        return std::nullopt;  // the index disagrees with the lookup: go the long way
    }
    lookup.outcome = LookupOutcome::Found;
    lookup.path = path_;

    DocumentationParse parse;
    parse.fileOpened = true;
    TextFile forParse = TextFile::FromBytes(tail);
    parse.documentation = ParseDocumentationLines(forParse, entry, lookup.text.size() > 2, "");
    return CompleteChoice(documentingPath, entry, std::move(lookup), std::move(parse));
}

}  // namespace quill::cli
