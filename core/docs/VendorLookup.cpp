#include "core/docs/VendorLookup.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string_view>
#include <system_error>

#include "core/docs/PrototypeLookup.h"
#include "core/text/ByteSearch.h"
#include "core/text/DocumentationRules.h"
#include "core/text/LineNormaliser.h"
#include "core/text/PathCase.h"
#include "core/text/PathText.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

namespace fs = std::filesystem;

// A path split at its last separator: "" folder when there is none.
struct PathParts {
    std::string folder;
    std::string name;
    char separator = '/';
};

PathParts SplitPath(const std::string& path) {
    PathParts parts;
    const std::size_t at = LastSeparator(path);
    if (at == std::string::npos) {
        parts.name = path;
        return parts;
    }
    parts.folder = path.substr(0, at);
    parts.name = path.substr(at + 1);
    parts.separator = path[at];
    return parts;
}

// The source folders inside `folder` ("" for the current one), in byte order.
std::vector<std::string> SourceFoldersIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder.empty() ? "." : folder), ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (IsSourceFolderName(name) && it->is_directory(typeError)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Joined(const std::string& folder, char separator, const std::string& name) {
    return folder.empty() ? name : folder + separator + name;
}

// Every source folder beside `includeFolder` with `relative` appended.
void AddBeside(const PathParts& includeFolder, const std::string& relative,
               std::vector<std::string>& paths) {
    for (const std::string& source : SourceFoldersIn(includeFolder.folder)) {
        const std::string sourceFolder =
            Joined(includeFolder.folder, includeFolder.separator, source);
        paths.push_back(
            ResolvePathIgnoringCase(Joined(sourceFolder, includeFolder.separator, relative)));
    }
}

}  // namespace

bool IsIncludeFolderName(const std::string& name) {
    return EqualsIgnoringCase(name, "inc") || EqualsIgnoringCase(name, "include");
}

bool IsSourceFolderName(const std::string& name) {
    return EqualsIgnoringCase(name, "src") || EqualsIgnoringCase(name, "source");
}

std::vector<std::string> SiblingSourcePaths(const std::string& documentingPath) {
    std::vector<std::string> paths;
    const PathParts file = SplitPath(documentingPath);
    if (file.folder.empty() || file.name.empty()) {
        return paths;
    }
    const PathParts folder = SplitPath(file.folder);
    if (IsIncludeFolderName(folder.name)) {
        AddBeside(folder, file.name, paths);
    }
    if (!folder.folder.empty()) {
        const PathParts parent = SplitPath(folder.folder);
        if (IsIncludeFolderName(parent.name)) {
            AddBeside(parent, folder.name + folder.separator + file.name, paths);
            AddBeside(parent, file.name, paths);
        }
    }
    return paths;
}

namespace {

// Decides BlockStandsBeforePrototype from the block's lines given one after
// the other, each with its "\n" (the last one perhaps without), as soon as
// they tell.
class PlacementCheck {
public:
    explicit PlacementCheck(const std::string& entry) : entry_(entry) {}

    // True once the answer is known; later lines change nothing.
    bool Feed(std::string_view line) {
        if (decided_) {
            return true;
        }
        if (first_) {
            first_ = false;
            std::string_view text = line.substr(0, line.find('\n'));
            if (!TrimBlockOpener(text)) {
                return Decide(false);
            }
            // The function's line must come after the block's first.
            if (NormalisedLineStartsWith(line, entry_)) {
                return Decide(false);
            }
        } else if (NormalisedLineStartsWith(line, entry_)) {
            // Before it: the block's own comment and nothing else but blank lines.
            return Decide(closed_ && !textAfterClose_);
        }
        std::size_t from = 0;
        if (!closed_) {
            const std::size_t close = line.find("*/");
            if (close == std::string_view::npos) {
                return false;
            }
            closed_ = true;
            from = close + 2;
        }
        textAfterClose_ = line.find_first_not_of(" \t\r\n", from) != std::string_view::npos;
        return textAfterClose_ && Decide(false);
    }
    bool Answer() const { return decided_ && answer_; }

private:
    bool Decide(bool answer) {
        decided_ = true;
        answer_ = answer;
        return true;
    }

    const std::string& entry_;
    bool first_ = true;
    bool closed_ = false;          // a "*/" came before
    bool textAfterClose_ = false;  // and something else than blanks after it
    bool decided_ = false;
    bool answer_ = false;
};

}  // namespace

bool BlockStandsBeforePrototype(DocumentLines& lines, std::size_t begin, const std::string& entry) {
    // The block's lines run up to the next opener. The line reader gives a
    // long line in pieces: they are put together as the collected text has
    // them.
    PlacementCheck check(entry);
    std::string line;
    for (std::size_t i = begin; lines.Has(i) && (i == begin || lines.BlockStart(i) != i); ++i) {
        const std::string_view text = lines.Text(i);
        // A whole line without tabs is its own expansion.
        if (line.empty() && !text.empty() && text.back() == '\n' &&
            text.find('\t') == std::string_view::npos) {
            if (check.Feed(text)) {
                return check.Answer();
            }
            continue;
        }
        AppendExpanded(text, line);
        if (line.back() == '\n') {
            if (check.Feed(line)) {
                return check.Answer();
            }
            line.clear();
        }
    }
    if (!line.empty()) {
        check.Feed(line);
    }
    return check.Answer();
}

VendorFunctionIndex::VendorFunctionIndex(DocumentLines& lines) {
    constexpr std::size_t kMost = UINT32_MAX;
    VendorScanner scanner(/*withEntries=*/false);
    std::deque<std::uint32_t> hashes;  // of each record's name, until the slots hold them
    const std::size_t count = lines.Count();
    for (std::size_t i = 0; i < count; ++i) {
        scanner.Feed(lines.RawText(i));
        for (const VendorFunction& function : scanner.Found()) {
            if (names_.size() + function.name.size() > kMost ||
                openers_.size() + function.openers.size() > kMost || function.lastLine > kMost) {
                continue;  // beyond what a record can say: never found
            }
            Record record;
            hashes.push_back(
                static_cast<std::uint32_t>(std::hash<std::string_view>{}(function.name)));
            record.nameAt = static_cast<std::uint32_t>(names_.size());
            record.nameSize = static_cast<std::uint32_t>(function.name.size());
            record.openersAt = static_cast<std::uint32_t>(openers_.size());
            record.openerCount = static_cast<std::uint32_t>(function.openers.size());
            record.firstLine = static_cast<std::uint32_t>(function.firstLine);
            record.lineCount = static_cast<std::uint32_t>(function.lastLine - function.firstLine);
            names_.insert(names_.end(), function.name.begin(), function.name.end());
            openers_.insert(openers_.end(), function.openers.begin(), function.openers.end());
            records_.push_back(record);
        }
        scanner.Found().clear();
    }
    // At most three quarters full; a file of more functions than the slots
    // can name keeps the rest out of the table (they are never found).
    std::size_t size = 16;
    while (size / 4 * 3 < records_.size() && size < (std::size_t{1} << 31)) {
        size *= 2;
    }
    slots_.assign(size, 0);
    const std::size_t mask = size - 1;
    const std::size_t kept = std::min<std::size_t>(records_.size(), size / 4 * 3);
    // Functions left out of the table are neither first nor single: never
    // found, whichever way asked.
    kinds_.assign(records_.size(), 0);
    for (std::size_t i = 0; i < kept; ++i) {
        kinds_[i] = kFirst | kSingle;
        std::size_t slot = hashes[i] & mask;
        for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
            const std::size_t other = (slots_[slot] & UINT32_MAX) - 1;
            const Record& a = records_[other];
            const Record& b = records_[i];
            if (slots_[slot] >> 32 == hashes[i] && a.nameSize == b.nameSize &&
                std::equal(names_.begin() + a.nameAt, names_.begin() + a.nameAt + a.nameSize,
                           names_.begin() + b.nameAt)) {
                kinds_[i] = 0;
                kinds_[other] &= static_cast<std::uint8_t>(~kSingle);
            }
        }
        slots_[slot] = std::uint64_t{hashes[i]} << 32 | (i + 1);
    }
}

bool VendorFunctionIndex::NameIs(std::size_t place, std::string_view name) const {
    const Record& record = records_[place];
    const auto recordName = names_.begin() + record.nameAt;
    return record.nameSize == name.size() &&
           std::equal(recordName, recordName + record.nameSize, name.begin());
}

template <typename Found>
void VendorFunctionIndex::Probe(std::string_view name, Found found) const {
    // Records of one name are met along its probe in file order: each went
    // into the first free slot after those before it.
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
        if (slots_[slot] >> 32 != hash) {
            continue;
        }
        const std::size_t place = (slots_[slot] & UINT32_MAX) - 1;
        if (NameIs(place, name) && !found(place)) {
            return;
        }
    }
}

std::vector<VendorFunction> VendorFunctionIndex::Find(std::string_view name) const {
    std::size_t next = records_.size();
    return Find(name, next);
}

std::vector<VendorFunction> VendorFunctionIndex::Find(std::string_view name,
                                                      std::size_t& next) const {
    std::vector<VendorFunction> found;
    const auto add = [this, &found](std::size_t place) {
        const Record& record = records_[place];
        VendorFunction function;
        function.firstLine = record.firstLine;
        function.lastLine = record.firstLine + record.lineCount;
        const auto openers = openers_.begin() + static_cast<std::ptrdiff_t>(record.openersAt);
        function.openers.assign(openers, openers + record.openerCount);
        found.push_back(std::move(function));
        return true;
    };
    if (next < records_.size() && (kinds_[next] & kSingle) != 0 && NameIs(next, name)) {
        add(next++);
        return found;
    }
    std::size_t first = records_.size();
    Probe(name, [&](std::size_t place) {
        first = std::min(first, place);
        return add(place);
    });
    if (first < records_.size()) {
        next = std::max(next, first + 1);
    }
    return found;
}

std::optional<std::uint32_t> VendorFunctionIndex::FirstPlace(std::string_view name,
                                                             std::size_t& next) const {
    if (next < records_.size() && NameIs(next, name)) {
        const std::size_t place = next++;
        if ((kinds_[place] & kFirst) != 0) {
            return static_cast<std::uint32_t>(place);
        }
    }
    std::optional<std::uint32_t> first;
    Probe(name, [&first](std::size_t place) {
        first = static_cast<std::uint32_t>(place);
        return false;
    });
    if (first) {
        next = std::max<std::size_t>(next, *first + 1);
    }
    return first;
}

namespace {

// True when a mark of a file or licence header or of a group stands around
// `at`: one that begins there, or "copyright" when its "y" is there.
bool MarkAround(std::string_view text, std::size_t at) {
    switch (LowerAscii(text[at])) {
        case 'l':
            return PhraseAtIgnoringCase(text, at, "licence") ||
                   PhraseAtIgnoringCase(text, at, "license");
        case 'y':
            return at >= 3 && PhraseAtIgnoringCase(text, at - 3, "copyright");
        case '@':
            if (at + 1 == text.size()) {
                return false;
            }
            switch (LowerAscii(text[at + 1])) {
                case '{':
                case '}':
                    return true;
                case 'f':
                    return PhraseAtIgnoringCase(text, at, "@file");
                case 'd':
                    return PhraseAtIgnoringCase(text, at, "@defgroup");
                case 'a':
                    return PhraseAtIgnoringCase(text, at, "@addtogroup");
                default:
                    return false;
            }
        case '\\':
            return PhraseAtIgnoringCase(text, at, "\\file");
        default:
            return false;
    }
}

// True when `text` holds such a mark. Comment text is full of "c" and "l":
// only an "l" before an "i", a "y" before an "r", an "@" or a backslash is
// looked at, sixteen bytes at a time.
bool HoldsHeaderOrGroupMark(std::string_view text) {
    const char* const begin = text.data();
    std::size_t at = 0;
    for (; text.size() - at > 16; at += 16) {
        const char* const p = begin + at;
        unsigned mask = (MatchMask16<'l', 'L'>(p) & MatchMask16<'i', 'I'>(p + 1)) |
                        (MatchMask16<'y', 'Y'>(p) & MatchMask16<'r', 'R'>(p + 1)) |
                        MatchMask16<'@', '\\'>(p);
        for (; mask != 0; mask &= mask - 1) {
            if (MarkAround(text, at + LowestBit(mask))) {
                return true;
            }
        }
    }
    for (; at < text.size(); ++at) {
        if (MarkAround(text, at)) {
            return true;
        }
    }
    return false;
}

// True when the comment from line `opener` (up to `before`, and through
// its line that holds "*/") documents a function: no file or licence
// header, no group marker.
bool DocumentsAFunction(const DocumentLines& lines, std::size_t opener, std::size_t before) {
    std::size_t last = opener;
    while (last + 1 < before && lines.RawText(last).find("*/") == std::string_view::npos) {
        ++last;
    }
    // The lines follow one another in one text, so marks are searched in
    // the comment as a whole.
    return opener >= before || !HoldsHeaderOrGroupMark(lines.RawSpan(opener, last + 1));
}

}  // namespace

std::optional<LineRange> OwnBlock(DocumentLines& lines,
                                  const std::vector<VendorFunction>& occurrences) {
    for (const VendorFunction& function : occurrences) {
        // The nearest block first: a group marker may stand between a
        // function's block and the function.
        for (auto opener = function.openers.rbegin(); opener != function.openers.rend(); ++opener) {
            if (lines.Has(function.lastLine) &&
                DocumentsAFunction(lines, *opener, function.firstLine + 1)) {
                return LineRange{*opener, function.lastLine + 1};
            }
        }
    }
    return std::nullopt;
}

}  // namespace quill
