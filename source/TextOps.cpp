#include "source/TextOps.h"

#include <algorithm>
#include <cstring>

namespace quill {

long FindPos(const std::string& text, const std::string& what, std::size_t from) {
    if (from > text.size()) {
        return -1;
    }
    const std::size_t pos = text.find(what, from);
    return pos == std::string::npos ? -1 : static_cast<long>(pos);
}

long FindLastPos(const std::string& text, const std::string& what) {
    const std::size_t pos = text.rfind(what);
    return pos == std::string::npos ? -1 : static_cast<long>(pos);
}

bool AtPositionOneOrLater(const std::string& text, const std::string& what) {
    return FindPos(text, what) >= 1;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) {
        return text;
    }
    std::size_t pos = text.find(from);
    if (pos == std::string::npos) {
        return text;
    }
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (pos != std::string::npos) {
        out.append(text, start, pos - start);
        out += to;
        start = pos + from.size();
        pos = text.find(from, start);
    }
    out.append(text, start, std::string::npos);
    return out;
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

std::string NormaliseLine(const std::string& line) {
    std::string s = ReplaceAll(line, "\t", " ");
    s = CollapseBlanks(s);
    s = ReplaceAll(s, "extern ", "");
    s = ReplaceAll(s, " ,", ",");
    s = ReplaceAll(s, ", ", ",");
    s = ReplaceAll(s, ",", ", ");
    s = ReplaceAll(s, "( ", "(");
    s = ReplaceAll(s, " (", "(");
    s = ReplaceAll(s, " )", ")");
    return s;
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

std::string TrimLeadingTabsAndSpaces(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : line.substr(first);
}

bool HoldsBlockOpener(const std::string& line) {
    return line.find("/**") != std::string::npos || line.find("/*!") != std::string::npos;
}

static char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string ToLowerAscii(const std::string& text) {
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
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

bool LessIgnoringCase(const std::string& a, const std::string& b) {
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
