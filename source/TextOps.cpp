#include "source/TextOps.h"

#include <algorithm>
#include <cstring>

namespace quill {

long FindPos(std::string_view text, std::string_view what, std::size_t from) {
    if (from > text.size()) {
        return -1;
    }
    const std::size_t pos = text.find(what, from);
    return pos == std::string_view::npos ? -1 : static_cast<long>(pos);
}

long FindLastPos(std::string_view text, std::string_view what) {
    const std::size_t pos = text.rfind(what);
    return pos == std::string_view::npos ? -1 : static_cast<long>(pos);
}

bool AtPositionOneOrLater(std::string_view text, std::string_view what) {
    return FindPos(text, what) >= 1;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::size_t pos = text.find(from);
    if (pos == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (pos != std::string_view::npos) {
        out.append(text, start, pos - start);
        out += to;
        start = pos + from.size();
        pos = text.find(from, start);
    }
    out.append(text, start, std::string_view::npos);
    return out;
}

std::vector<std::string> SplitAtEvery(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string CollapseBlanks(const std::string& text) {
    // Repeating "  " -> " " until nothing changes leaves every run of spaces
    // as a single space; do it in one pass.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && !out.empty() && out.back() == ' ') {
            continue;
        }
        out += c;
    }
    return out;
}

// The nine replacements of the line normalisation, in order: tab to space,
// collapse blanks, drop "extern ", then " ," ", " "," and "( " " (" " )".
// Two passes give the same bytes:
//
// The first pass does the first three. Collapsing looks at the byte before
// in the tab-free text, not at what was written, since a dropped "extern "
// may leave a space last. "extern " cannot overlap itself, so removing every
// occurrence of the collapsed text is the one-pass replacement; an
// occurrence that only forms where one was cut out (`kept` marks the cut)
// stays.
//
// After it no two spaces are adjacent, so every space has non-space
// neighbours, and the other six replacements drop a space next to a comma
// or a parenthesis, which the second pass decides from its neighbours in the
// first pass's text:
// - a comma becomes ", ", or "," when the next byte that is not a dropped
//   space is "(" or ")";
// - a space goes when the byte before is "," or "(", or the byte after is
//   ",", "(" or ")".
const std::string& LineNormaliser::Normalise(std::string_view line) {
    static constexpr std::string_view kExtern = "extern ";
    stage_.clear();
    bool lastWasSpace = false;
    std::size_t kept = 0;  // bytes before this index are past a removed "extern "
    for (char c : line) {
        if (c == '\t') {
            c = ' ';
        }
        if (c == ' ') {
            if (lastWasSpace) {
                continue;
            }
            lastWasSpace = true;
            stage_ += ' ';
            const std::size_t n = stage_.size();
            if (n >= kept + kExtern.size() && stage_[n - 7] == 'e' &&
                stage_.compare(n - 7, 7, kExtern) == 0) {
                stage_.resize(n - 7);
                kept = stage_.size();
            }
            continue;
        }
        lastWasSpace = false;
        stage_ += c;
    }

    result_.clear();
    const std::size_t n = stage_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = stage_[i];
        if (c == ',') {
            result_ += ',';
            std::size_t next = i + 1;
            if (next < n && stage_[next] == ' ') {
                ++next;
            }
            if (next >= n || (stage_[next] != '(' && stage_[next] != ')')) {
                result_ += ' ';
            }
        } else if (c == ' ') {
            const char before = i > 0 ? stage_[i - 1] : '\0';
            const char after = i + 1 < n ? stage_[i + 1] : '\0';
            if (before != ',' && before != '(' && after != ',' && after != '(' && after != ')') {
                result_ += ' ';
            }
        } else {
            result_ += c;
        }
    }
    return result_;
}

std::string NormaliseLine(std::string_view line) {
    LineNormaliser normaliser;
    return normaliser.Normalise(line);
}

std::string ExpandTabs(const std::string& line) {
    if (line.find('\t') == std::string::npos) {
        return line;
    }
    std::string out;
    out.reserve(line.size() + 16);
    for (char c : line) {
        if (c == '\t') {
            out.append(4 - out.size() % 4, ' ');
        } else {
            out += c;
        }
    }
    return out;
}

static char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string ToLowerAscii(const std::string& text) {
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

}  // namespace quill
