#include "core/text/DocumentLines.h"

#include <algorithm>
#include <utility>

#include "core/files/LargePages.h"
#include "core/files/RegularFile.h"
#include "core/text/DocumentationRules.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

// Source and documentation lines are rarely shorter on average.
constexpr std::size_t kBytesPerLine = 24;

}  // namespace

DocumentLines::DocumentLines(TextFile file)
    : file_(std::move(file)), fromOpenFile_(file_.IsOpen()) {}

bool DocumentLines::ReadNext() {
    if (!file_.IsOpen()) {
        return false;
    }
    if (starts_.size() == 1) {
        // The lines are never longer than the file: room for all of them at
        // once spares the copies of a growing string (the pages are only
        // taken as the lines fill them, in large pieces where the system
        // can).
        const auto bytes = static_cast<std::size_t>(
            std::min<unsigned long long>(file_.SizeAtOpen(), kMaxInputFileBytes));
        bytes_.reserve(bytes);
        PreferLargePages(bytes_.data(), bytes_.capacity());
        // The same for the line starts of lines of kBytesPerLine bytes or
        // more: a larger file of shorter lines grows them as it goes. The
        // room beyond the lines costs no memory until it is written.
        starts_.reserve(bytes / kBytesPerLine + 2);
    }
    const std::string_view raw = file_.NextLine();
    if (raw.empty()) {
        readFailed_ = file_.ReadFailed();
        file_.Close();  // the reader's end of file ends every scan
        return false;
    }
    const std::size_t i = CountRead();
    std::string_view line = raw;
    if (TrimBlockOpener(line)) {
        openers_.push_back(static_cast<std::uint32_t>(i));
    }
    trimmed_.push_back(line.size() != raw.size());
    if (line.size() != raw.size()) {
        trimmedLines_.push_back(static_cast<std::uint32_t>(i));
        trimmedLeads_.push_back(static_cast<std::uint8_t>(raw.size() - line.size()));
    }
    listOpen_ = ListOpenAfter(line, listOpen_);
    listOpenAfter_.push_back(listOpen_);
    static_assert(kMaxInputFileBytes <= 0xFFFFFFFFu, "a line's start fits in 32 bits");
    bytes_.append(raw);
    starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    return true;
}

bool DocumentLines::Has(std::size_t i) {
    while (i >= CountRead()) {
        if (!ReadNext()) {
            return false;
        }
    }
    return true;
}

std::size_t DocumentLines::Count() {
    while (ReadNext()) {
    }
    return CountRead();
}

std::string_view DocumentLines::TrimmedText(std::size_t i) const {
    const auto at = std::lower_bound(trimmedLines_.begin(), trimmedLines_.end(), i);
    return RawText(i).substr(trimmedLeads_[static_cast<std::size_t>(at - trimmedLines_.begin())]);
}

std::string_view DocumentLines::ParserView(std::size_t i, std::string& scratch) const {
    const bool openBefore = i > 0 && OpenAfter(i - 1);
    const std::string_view text = Text(i);
    if (ParserOnlyCuts(text, openBefore)) {
        return text.substr(0, std::min(ParserCut(text).Kept(), text.size()));
    }
    bool listOpen = openBefore;
    ReadParserLine(text, listOpen, scratch);
    return scratch;
}

std::string DocumentLines::ParserText(std::size_t i) const {
    std::string scratch;
    return std::string(ParserView(i, scratch));
}

std::string DocumentLines::Helper(std::size_t i) const {
    // Only an "@note" line names a helper.
    const std::string_view text = Text(i);
    if (text.find("@note") == std::string_view::npos) {
        return {};
    }
    return ParserHelperOf(std::string(text));
}

std::size_t DocumentLines::BlockStart(std::size_t i) const {
    const auto after = std::upper_bound(openers_.begin(), openers_.end(), i);
    return after == openers_.begin() ? 0 : *(after - 1);
}

std::size_t DocumentLines::BlockEnd(std::size_t i) {
    const auto after = std::upper_bound(openers_.begin(), openers_.end(), i);
    if (after != openers_.end()) {
        return *after;
    }
    while (ReadNext()) {
        if (!openers_.empty() && openers_.back() > i && openers_.back() + 1 == CountRead()) {
            return openers_.back();
        }
    }
    return std::max(CountRead(), i + 1);
}

namespace {

bool BeginsWithBlank(std::string_view text) {
    return !text.empty() && (text[0] == ' ' || text[0] == '\t');
}

// Lines that begin with a blank stay out of the indexes. Normalised, such a
// line begins with a blank, or with a comma or parenthesis when the spacing
// rules take the blank away, so the indexes answer every other question;
// these go through the lines one by one.
bool IndexAnswers(std::string_view entry) {
    return !entry.empty() && std::string_view(" \t,()").find(entry[0]) == std::string_view::npos;
}

}  // namespace

std::optional<std::size_t> DocumentLines::FromTable(const std::string& entry, Kind kind,
                                                    bool& answered) {
    answered = false;
    if (entry.empty() || entry.back() != ')') {
        return std::nullopt;
    }
    if (!tableBuilt_) {
        IndexTable();
    }
    // The lookup and the parser ask for the same entry one after the other.
    if (entry != foundEntry_) {
        foundEntry_ = entry;
        found_ = parenTable_.Find(entry);
    }
    const ParenPrefixTable::Firsts firsts = found_;
    const std::uint32_t line = kind == Kind::Lookup ? firsts.first : firsts.second;
    if (line == ParenPrefixTable::kNone) {
        answered = true;  // no line has this prefix: it would be there
        return std::nullopt;
    }
    // The line named has the smallest number of all those with a prefix of
    // this hash; when it begins with the entry, no line before does.
    std::string scratch;
    const std::string_view text = kind == Kind::Lookup ? Text(line) : ParserView(line, scratch);
    if (StartsWith(normaliser_.Normalise(text), entry)) {
        answered = true;
        return line;
    }
    return std::nullopt;
}

std::optional<std::size_t> DocumentLines::IndexedMatch(const std::string& entry, Kind kind) {
    bool answered = false;
    const std::optional<std::size_t> line = FromTable(entry, kind, answered);
    if (answered) {
        return line;
    }
    std::optional<PrefixIndex>& index = kind == Kind::Lookup ? lookupIndex_ : parserIndex_;
    if (!index) {
        kind == Kind::Lookup ? IndexLookup() : IndexParser();
    }
    return index->First(bytes_, entry);
}

std::optional<std::size_t> DocumentLines::FirstLookupMatch(const std::string& entry) {
    if (indexed_ && IndexAnswers(entry)) {
        return IndexedMatch(entry, Kind::Lookup);
    }
    for (std::size_t i = 0; Has(i); ++i) {
        if (NormalisedLineStartsWith(Text(i), entry)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> DocumentLines::FirstParserMatch(const std::string& entry) {
    if (indexed_ && IndexAnswers(entry)) {
        return IndexedMatch(entry, Kind::Parser);
    }
    // A line that begins with a blank keeps it in the parser's text, whose
    // normalised copy then begins with one: only such an entry needs its
    // parser's text (see NormalisedLineStartsWith).
    const bool blankLinesMatch =
        entry.empty() || entry[0] == ' ' || entry[0] == ',' || entry[0] == '(' || entry[0] == ')';
    std::string scratch;
    for (std::size_t i = 0; Has(i); ++i) {
        if (!blankLinesMatch && BeginsWithBlank(Text(i))) {
            continue;
        }
        if (NormalisedLineStartsWith(ParserView(i, scratch), entry)) {
            return i;
        }
    }
    return std::nullopt;
}

// Lines that begin with a blank keep it in the parser's text too (see
// FirstParserMatch): no index holds them.
void DocumentLines::IndexAll() {
    Count();
    indexed_ = true;
}

void DocumentLines::IndexTable() {
    tableBuilt_ = true;
    // Most lines that hold a ")" give one prefix: room for them at once.
    std::size_t withParen = 0;
    for (std::size_t i = 0; i < CountRead(); ++i) {
        const std::string_view text = Text(i);
        withParen += !BeginsWithBlank(text) && text.find(')') != std::string_view::npos ? 1 : 0;
    }
    parenTable_.Reserve(withParen);
    std::string scratch;
    for (std::size_t i = 0; i < CountRead(); ++i) {
        const std::string_view text = Text(i);
        if (BeginsWithBlank(text)) {
            continue;
        }
        const std::size_t all = text.size();
        const bool openBefore = i > 0 && OpenAfter(i - 1);
        const std::string_view normal = normaliser_.Normalise(text);
        if (ParserOnlyCuts(text, openBefore)) {
            // The parser's text is the line cut short, and normalising
            // keeps every ")" and decides each byte from those around it:
            // its prefixes that end in ")" are the line's up to the cut.
            const std::string_view kept =
                text.substr(0, std::min(ParserCut(text).Kept(), text.size()));
            const auto parens = static_cast<std::size_t>(std::count(kept.begin(), kept.end(), ')'));
            parenTable_.Add(normal, i, all, parens);
            continue;
        }
        parenTable_.Add(normal, i, all, 0);
        const std::string_view parserText = ParserView(i, scratch);
        if (!BeginsWithBlank(parserText)) {
            parenTable_.Add(normaliser_.Normalise(parserText), i, 0, parserText.size());
        }
    }
}

namespace {

// Adds `text` as line `number` to `index`. A normalised text that ends the
// line it comes from (most lines, and those that only lose an "extern " in
// front) is not copied: the index keeps where it stands in `bytes`.
void AddNormalised(PrefixIndex& index, const std::string& bytes, LineNormaliser& normaliser,
                   std::string_view text, std::size_t number) {
    const std::string_view normal = normaliser.Normalise(text);
    const bool inBytes =
        text.data() >= bytes.data() && text.data() + text.size() <= bytes.data() + bytes.size();
    const std::size_t dropped = text.size() - std::min(normal.size(), text.size());
    if (inBytes && normal.size() <= text.size() && text.substr(dropped) == normal) {
        index.AddShared(bytes, static_cast<std::size_t>(text.data() - bytes.data()) + dropped,
                        normal.size(), number);
    } else {
        index.AddOwn(bytes, normal, number);
    }
}

}  // namespace

void DocumentLines::IndexLookup() {
    PrefixIndex lookup;
    for (std::size_t i = 0; i < CountRead(); ++i) {
        if (!BeginsWithBlank(Text(i))) {
            AddNormalised(lookup, bytes_, normaliser_, Text(i), i);
        }
    }
    lookup.Build(bytes_);
    lookupIndex_.emplace(std::move(lookup));
}

void DocumentLines::IndexParser() {
    PrefixIndex parser;
    std::string scratch;
    for (std::size_t i = 0; i < CountRead(); ++i) {
        if (BeginsWithBlank(Text(i))) {
            continue;
        }
        const std::string_view parserText = ParserView(i, scratch);
        if (!BeginsWithBlank(parserText)) {
            AddNormalised(parser, bytes_, normaliser_, parserText, i);
        }
    }
    parser.Build(bytes_);
    parserIndex_.emplace(std::move(parser));
}

void AppendExpanded(std::string_view line, std::string& out) {
    std::size_t column = 0;
    for (std::size_t from = 0; from < line.size();) {
        const std::size_t tab = std::min(line.find('\t', from), line.size());
        out.append(line, from, tab - from);
        column += tab - from;
        if (tab == line.size()) {
            break;
        }
        out.append(4 - column % 4, ' ');
        column += 4 - column % 4;
        from = tab + 1;
    }
}

std::string ExpandedText(const DocumentLines& lines, std::size_t begin, std::size_t end) {
    std::size_t bytes = 0;
    for (std::size_t i = begin; i < end; ++i) {
        bytes += lines.Text(i).size();
    }
    std::string text;
    text.reserve(bytes);
    for (std::size_t i = begin; i < end; ++i) {
        AppendExpanded(lines.Text(i), text);
    }
    return text;
}

}  // namespace quill
