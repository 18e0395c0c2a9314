#include "core/text/DocumentationRules.h"

#include <algorithm>
#include <cstring>

#include "core/text/TextOps.h"

namespace quill {

namespace {

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
    return OpenerAt(line.data(), line.size());
}

bool TrimBlockOpener(std::string& line) {
    std::string_view view = line;
    const bool opens = TrimBlockOpener(view);
    line.erase(0, line.size() - view.size());
    return opens;
}

bool BeginsBlock(const std::string& line) {
    return StartsWith(line, "/**") || StartsWith(line, "/*!");
}

std::string RewriteParamLine(const std::string& line) {
    // In one pass: a space before every ":", tabs to spaces, and every run
    // of spaces collapsed to one.
    std::string out(2 * line.size(), '\0');
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
    return out;
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

std::string CutForParser(std::string line) {
    const LineCut cut = ParserCut(line);
    if (cut.Kept() < line.size()) {
        line.resize(cut.Kept());
    }
    return line;
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

bool ParamNameCanMatch(const std::string& name) {
    return FindPos("@param" + name, name) == kParamNameAt;
}

std::string ReadParserLine(std::string line, bool& listOpen) {
    if (line.find('@') != std::string::npos) {
        if (FindPos(line, "@param") >= 0) {
            line = RewriteParamLine(line);
            listOpen = ParamListStaysOpen(line);
        } else {
            listOpen = false;
        }
    }
    if (listOpen) {
        // The open list goes on in the next line: join them.
        line.erase(
            std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }),
            line.end());
    }
    return CutForParser(std::move(line));
}

bool ListOpenAfter(std::string_view line, bool listOpen) {
    if (line.find('@') == std::string_view::npos) {
        return listOpen;
    }
    if (FindPos(line, "@param") < 0) {
        return false;
    }
    const std::size_t brace = line.find('}');
    if (brace == std::string_view::npos) {
        return true;
    }
    // Rewriting keeps every byte but blanks, so a "}" after that many other
    // bytes stands too far on; only the bytes before it decide (blank runs
    // end at it).
    const auto kept = std::count_if(line.begin(), line.begin() + static_cast<long>(brace),
                                    [](char c) { return c != ' ' && c != '\t'; });
    if (kept >= kListClosedFrom) {
        return false;
    }
    return ParamListStaysOpen(RewriteParamLine(std::string(line.substr(0, brace + 1))));
}

std::string ParserHelperOf(const std::string& line) {
    if (line.find('@') == std::string::npos || FindPos(line, "@param") >= 0) {
        return {};
    }
    return HelperNameOf(line);
}

}  // namespace quill
