#include "core/text/TextOps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quill {

long FindPos(std::string_view text, std::string_view what, std::size_t from) {
    if (from > text.size()) {
        return -1;
    }
    // One byte is looked for as a byte: the library search for a text
    // compares at every place.
    const std::size_t pos = what.size() == 1 ? text.find(what[0], from) : text.find(what, from);
    return pos == std::string_view::npos ? -1 : static_cast<long>(pos);
}

long FindLastPos(std::string_view text, std::string_view what) {
    const std::size_t pos = what.size() == 1 ? text.rfind(what[0]) : text.rfind(what);
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

void AddOnce(std::vector<std::string>& values, const std::string& value) {
    if (std::find(values.begin(), values.end(), value) == values.end()) {
        values.push_back(value);
    }
}

std::string CollapseBlanks(const std::string& text) {
    // Repeating "  " -> " " until nothing changes leaves every run of spaces
    // as a single space; do it in one pass.
    std::string out(text.size(), '\0');
    char* const begin = out.data();
    char* write = begin;
    for (char c : text) {
        if (c == ' ' && write != begin && write[-1] == ' ') {
            continue;
        }
        *write++ = c;
    }
    out.resize(static_cast<std::size_t>(write - begin));
    return out;
}

void AppendStarSpaced(std::string_view text, std::string& out) {
    const std::size_t from = out.size();
    out.resize(from + 3 * text.size());
    char* const begin = out.data();
    char* write = begin + from;
    const auto put = [begin, &write](char c) {
        if (c != ' ' || write == begin || write[-1] != ' ') {
            *write++ = c;
        }
    };
    for (const char c : text) {
        if (c == '*') {
            put(' ');
            put('*');
            put(' ');
        } else {
            put(c == '\t' ? ' ' : c);
        }
    }
    out.resize(static_cast<std::size_t>(write - begin));
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

std::string ToLowerAscii(const std::string& text) {
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

bool PhraseAtIgnoringCase(std::string_view text, std::size_t at, std::string_view phrase) {
    if (at > text.size() || text.size() - at < phrase.size()) {
        return false;
    }
    for (std::size_t k = 0; k < phrase.size(); ++k) {
        if (LowerAscii(text[at + k]) != phrase[k]) {
            return false;
        }
    }
    return true;
}

bool HoldsIgnoringCase(std::string_view text, std::string_view phrase) {
    for (std::size_t at = 0; at + phrase.size() <= text.size(); ++at) {
        if (PhraseAtIgnoringCase(text, at, phrase)) {
            return true;
        }
    }
    return false;
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
    std::size_t i = 0;
    // Equal bytes are equal ignoring case too: skip the common prefix a word
    // at a time (entries of one library share long prefixes).
    for (; i + 8 <= n; i += 8) {
        std::uint64_t wa = 0;
        std::uint64_t wb = 0;
        std::memcpy(&wa, a.data() + i, 8);
        std::memcpy(&wb, b.data() + i, 8);
        if (wa != wb) {
            break;
        }
    }
    for (; i < n; ++i) {
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

void SortIgnoringCase(std::vector<std::string>& texts) {
    std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return LessIgnoringCase(a, b);
    });
}

long IndexIgnoringCase(const std::vector<std::string>& texts, std::string_view text) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (EqualsIgnoringCase(texts[i], text)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

}  // namespace quill
