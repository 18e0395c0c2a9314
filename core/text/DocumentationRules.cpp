#include "core/text/DocumentationRules.h"

#include <algorithm>
#include <cstring>

#include "core/text/TextOps.h"

namespace quill {

namespace {

// Once the blanks of a parser's entry are removed, its parameter name stands
// right after the keyword ...
constexpr long kParamNameAt = static_cast<long>(kParamKeyword.size());

// ... so the "{" after a one-letter name and its ":" stands at 8, and the "}"
// of a usable list after it.
constexpr long kListCloseAfter = kParamNameAt + 2;

// A rewritten "@param" line closes its list when it holds a "}" at this
// position or later; otherwise the list goes on in the next line.
constexpr long kListClosedFrom = 2;

// "/**" or "/*!" at `p`, with `left` bytes available from there.
bool OpenerAt(const char* p, std::size_t left) {
    return left >= 3 && p[0] == '/' && p[1] == '*' && (p[2] == '*' || p[2] == '!');
}

}  // namespace

bool TrimBlockOpener(std::string_view& line) {
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    bool holdsOpener = false;
    for (const char* p = begin; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '/', static_cast<std::size_t>(end - p)));
        if (p == nullptr) {
            break;
        }
        if (OpenerAt(p, static_cast<std::size_t>(end - p))) {
            holdsOpener = true;
            break;
        }
    }
    if (!holdsOpener) {
        return false;
    }
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    return BeginsBlock(line);
}

bool TrimBlockOpener(std::string& line) {
    std::string_view view = line;
    const bool opens = TrimBlockOpener(view);
    line.erase(0, line.size() - view.size());
    return opens;
}

bool BeginsBlock(std::string_view line) {
    return OpenerAt(line.data(), line.size());
}

std::size_t BlockCloseAt(std::string_view line) {
    return line.find("*/");
}

std::optional<ParamLine> ReadParamLine(std::string_view line, std::string_view keyword,
                                       ParamDirection direction) {
    const std::size_t at = line.find(keyword);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    ParamLine read;
    read.keywordAt = at;
    std::size_t i = at + keyword.size();
    if (direction == ParamDirection::Skipped && i < line.size() && line[i] == '[') {
        const std::size_t close = line.find(']', i);
        if (close == std::string_view::npos) {
            return read;  // the "[" stands where the blank should
        }
        i = close + 1;
    }
    read.blankAfterKeyword = i < line.size() && IsBlank(line[i]);
    if (read.blankAfterKeyword) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        std::size_t nameEnd = std::string_view::npos;
        while (i < line.size() && !IsBlank(line[i])) {
            if (nameEnd == std::string_view::npos && (line[i] == ':' || line[i] == '{')) {
                nameEnd = i;
            }
            ++i;
        }
        read.word = line.substr(start, i - start);
        i = nameEnd == std::string_view::npos ? i : nameEnd;
        read.name = line.substr(start, i - start);
    }
    read.listAt = line.find('{', i);
    if (read.listAt == std::string_view::npos) {
        return read;
    }
    if (read.blankAfterKeyword) {
        read.beforeList = line.substr(i, read.listAt - i);
    }
    read.listEnd = line.find('}', read.listAt);
    if (read.listEnd != std::string_view::npos) {
        read.listText = line.substr(read.listAt + 1, read.listEnd - read.listAt - 1);
    }
    return read;
}

std::string ParserParamList(std::string_view text, std::string_view name) {
    // The first "@param NAME :{": the first "@param" that goes on so.
    std::size_t m = text.find(kParamKeyword);
    for (; m != std::string_view::npos; m = text.find(kParamKeyword, m + 1)) {
        const std::string_view rest = text.substr(m + kParamKeyword.size());
        if (rest.size() >= name.size() + 4 && rest[0] == ' ' &&
            rest.substr(1, name.size()) == name && rest.substr(1 + name.size(), 3) == " :{") {
            break;
        }
    }
    if (m == std::string_view::npos) {
        return {};
    }
    const std::size_t lineEnd = text.find('\n', m);
    if (lineEnd == std::string_view::npos) {
        return {};
    }
    // Kept from one call to the next: a parse asks once a parameter.
    thread_local std::string entry;
    entry.resize(lineEnd - m);
    char* out = entry.data();
    for (const char c : text.substr(m, lineEnd - m)) {
        if (!IsBlank(c)) {
            *out++ = c;
        }
    }
    entry.resize(static_cast<std::size_t>(out - entry.data()));
    // A name that also occurs inside "@param" (p, a, r, m ...) is found too
    // early and never gets its entry.
    if (entry.empty() || FindPos(entry, name) != kParamNameAt) {
        return {};
    }
    const long close = FindPos(entry, "}");
    const long open = FindPos(entry, "{");
    // A "}" inside the name itself can come before the list's "{".
    if (close <= kListCloseAfter || open < 0 || close <= open) {
        return {};
    }
    return entry.substr(static_cast<std::size_t>(open) + 1,
                        static_cast<std::size_t>(close - open - 1));
}

std::string RewriteParamLine(std::string_view line) {
    std::string out;
    RewriteParamLine(line, out);
    return out;
}

void RewriteParamLine(std::string_view line, std::string& out) {
    // In one pass: a space before every ":", tabs to spaces, and every run
    // of spaces collapsed to one.
    out.resize(2 * line.size());
    char* const begin = out.data();
    char* write = begin;
    const auto put = [begin, &write](char c) {
        if (c == ' ' && write != begin && write[-1] == ' ') {
            return;
        }
        *write++ = c;
    };
    for (char c : line) {
        if (c == ':') {
            put(' ');
            put(':');
        } else {
            put(c == '\t' ? ' ' : c);
        }
    }
    out.resize(static_cast<std::size_t>(write - begin));
}

bool ParamListStaysOpen(const std::string& rewrittenLine) {
    return FindPos(rewrittenLine, "}") < kListClosedFrom;
}

LineCut ParserCut(std::string_view line) {
    const std::size_t semicolon = line.find(';');
    const std::size_t slashes = line.find("//");
    const std::size_t cut = std::min(semicolon, slashes);
    const std::size_t paren = line.find(')');
    if (paren != std::string::npos && paren < cut &&
        paren >= static_cast<std::size_t>(kCutParenFrom)) {
        return {paren, ")"};
    }
    if (cut == std::string::npos) {
        return {};
    }
    return {cut, cut == semicolon ? ";" : "//"};
}

void CutForParser(std::string& line) {
    const LineCut cut = ParserCut(line);
    if (cut.Kept() < line.size()) {
        line.resize(cut.Kept());
    }
}

std::string HelperNameOf(const std::string& line) {
    if (FindPos(line, "@note") < 0) {
        return {};
    }
    const long exe = FindPos(line, ".exe");
    if (exe < kHelperExeFrom) {
        return {};
    }
    const std::string head = line.substr(0, static_cast<std::size_t>(exe) + 4);
    const long space = FindLastPos(head, " ");
    return space < 0 ? head : head.substr(static_cast<std::size_t>(space) + 1);
}

bool ParamNameCanMatch(std::string_view name) {
    std::string keyed(kParamKeyword);
    keyed.append(name);
    return FindPos(keyed, name) == kParamNameAt;
}

std::string ReadParserLine(std::string_view text, bool& listOpen) {
    std::string line;
    ReadParserLine(text, listOpen, line);
    return line;
}

void ReadParserLine(std::string_view text, bool& listOpen, std::string& line) {
    const bool holdsAt = text.find('@') != std::string_view::npos;
    if (holdsAt && FindPos(text, kParamKeyword) >= 0) {
        RewriteParamLine(text, line);
        listOpen = ParamListStaysOpen(line);
    } else {
        if (holdsAt) {
            listOpen = false;
        }
        line.assign(text);
    }
    if (listOpen) {
        // The open list goes on in the next line: join them.
        line.erase(
            std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }),
            line.end());
    }
    CutForParser(line);
}

bool ListOpenAfter(std::string_view line, bool listOpen) {
    if (line.find('@') == std::string_view::npos) {
        return listOpen;
    }
    if (FindPos(line, kParamKeyword) < 0) {
        return false;
    }
    const std::size_t brace = line.find('}');
    if (brace == std::string_view::npos) {
        return true;
    }
    // Rewriting keeps every byte but blanks, so a "}" after that many other
    // bytes stands too far on; only the bytes before it decide (blank runs
    // end at it).
    long kept = 0;
    for (std::size_t k = 0; k < brace && kept < kListClosedFrom; ++k) {
        kept += line[k] != ' ' && line[k] != '\t' ? 1 : 0;
    }
    if (kept >= kListClosedFrom) {
        return false;
    }
    return ParamListStaysOpen(RewriteParamLine(std::string(line.substr(0, brace + 1))));
}

std::string ParserHelperOf(const std::string& line) {
    if (line.find('@') == std::string::npos || FindPos(line, kParamKeyword) >= 0) {
        return {};
    }
    return HelperNameOf(line);
}

}  // namespace quill
