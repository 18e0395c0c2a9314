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

namespace {

// Normalised lines begin with a blank exactly when the line does. Entries
// never do, so such lines stay out of the indexes; a question that begins
// with a blank goes through the lines one by one.
bool BeginsWithBlank(const std::string& text) {
    return !text.empty() && (text[0] == ' ' || text[0] == '\t');
}

}  // namespace

std::optional<std::size_t> DocumentLines::FirstLookupMatch(const std::string& entry) {
    if (lookupIndex_ && !BeginsWithBlank(entry)) {
        return lookupIndex_->First(entry);
    }
    return FirstMatch(entry, [](const Line& line) -> const std::string& { return line.text; });
}

std::optional<std::size_t> DocumentLines::FirstParserMatch(const std::string& entry) {
    if (parserIndex_ && !BeginsWithBlank(entry)) {
        return parserIndex_->First(entry);
    }
    return FirstMatch(entry,
                      [](const Line& line) -> const std::string& { return line.parserText; });
}

void DocumentLines::IndexAll() {
    Count();
    std::vector<std::pair<std::string, std::size_t>> lookupTexts;
    std::vector<std::pair<std::string, std::size_t>> parserTexts;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (!BeginsWithBlank(line.text)) {
            lookupTexts.emplace_back(NormaliseLine(line.text), i);
        }
        if (!BeginsWithBlank(line.parserText)) {
            parserTexts.emplace_back(NormaliseLine(line.parserText), i);
        }
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
