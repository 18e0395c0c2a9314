#include "params/DocumentationRules.h"

#include <algorithm>

#include "source/TextOps.h"

namespace quill {

bool BeginsBlock(const std::string& line) {
    return StartsWith(line, "/**") || StartsWith(line, "/*!");
}

std::string RewriteParamLine(const std::string& line) {
    std::string out = ReplaceAll(line, ":", " :");
    out = ReplaceAll(out, "\t", " ");
    return CollapseBlanks(out);
}

bool ParamListStaysOpen(const std::string& rewrittenLine) {
    return FindPos(rewrittenLine, "}") < kListClosedFrom;
}

LineCut ParserCut(const std::string& line) {
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

std::string ParserLineReader::Read(std::string line, std::string& helper) {
    helper.clear();
    if (line.find('@') != std::string::npos) {
        if (FindPos(line, "@param") >= 0) {
            line = RewriteParamLine(line);
            listOpen_ = ParamListStaysOpen(line);
        } else {
            listOpen_ = false;
            helper = HelperNameOf(line);
        }
    }
    if (listOpen_) {
        // The open list goes on in the next line: join them.
        line.erase(
            std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }),
            line.end());
    }
    return CutForParser(std::move(line));
}

}  // namespace quill
