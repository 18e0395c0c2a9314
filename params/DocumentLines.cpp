#include "params/DocumentLines.h"

#include <utility>

#include "source/PrototypeLookup.h"
#include "source/TextOps.h"

namespace quill {

DocumentLines::DocumentLines(TextFile file) : file_(std::move(file)) {}

bool DocumentLines::ReadNext() {
    if (!file_.IsOpen()) {
        return false;
    }
    Line read;
    if (!ReadTextLine(file_, read.text)) {
        readFailed_ = file_.ReadFailed();
        file_.Close();  // the reader's end of file ends every scan
        return false;
    }
    const bool opens = TrimBlockOpener(read.text);
    const std::size_t i = lines_.size();
    read.blockStart = opens || i == 0 ? i : lines_[i - 1].blockStart;
    read.parserText = parser_.Read(read.text, read.helper);
    lines_.push_back(std::move(read));
    return true;
}

bool DocumentLines::Has(std::size_t i) {
    while (i >= lines_.size()) {
        if (!ReadNext()) {
            return false;
        }
    }
    return true;
}

std::size_t DocumentLines::Count() {
    while (ReadNext()) {
    }
    return lines_.size();
}

std::size_t DocumentLines::BlockEnd(std::size_t i) {
    std::size_t end = i + 1;
    while (Has(end) && lines_[end].blockStart != end) {
        ++end;
    }
    return end;
}

template <typename TextOf>
std::optional<std::size_t> DocumentLines::FirstMatch(const std::string& entry, TextOf textOf) {
    for (std::size_t i = 0; Has(i); ++i) {
        if (NormalisedLineStartsWith(textOf(lines_[i]), entry)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> DocumentLines::FirstLookupMatch(const std::string& entry) {
    if (lookupIndex_) {
        return lookupIndex_->First(entry);
    }
    return FirstMatch(entry, [](const Line& line) -> const std::string& { return line.text; });
}

std::optional<std::size_t> DocumentLines::FirstParserMatch(const std::string& entry) {
    if (parserIndex_) {
        return parserIndex_->First(entry);
    }
    return FirstMatch(entry,
                      [](const Line& line) -> const std::string& { return line.parserText; });
}

void DocumentLines::IndexAll() {
    Count();
    std::vector<std::string> lookupTexts;
    std::vector<std::string> parserTexts;
    lookupTexts.reserve(lines_.size());
    parserTexts.reserve(lines_.size());
    for (const Line& line : lines_) {
        lookupTexts.push_back(NormaliseLine(line.text));
        parserTexts.push_back(NormaliseLine(line.parserText));
    }
    lookupIndex_.emplace(std::move(lookupTexts));
    parserIndex_.emplace(std::move(parserTexts));
}

std::string ExpandedText(const DocumentLines& lines, std::size_t begin, std::size_t end) {
    std::string text;
    for (std::size_t i = begin; i < end; ++i) {
        const std::string& line = lines.Text(i);
        // Tab stops count from the first byte of each line as read.
        if (line.find('\t') == std::string::npos) {
            text += line;
        } else {
            text += ExpandTabs(line);
        }
    }
    return text;
}

}  // namespace quill
