#include "lsp/Hover.h"

#include "lsp/CallContext.h"
#include "lsp/ParameterValues.h"
#include "lsp/SignatureHelp.h"

namespace quill::lsp {

namespace {

std::string EscapedMarkdown(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (std::string_view("\\`*_[]<>#|").find(c) != std::string_view::npos) {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// A line of the block without the comment's opening, closing and leading
// marks.
std::string_view Bare(std::string_view line) {
    line = Trim(line);
    for (std::string_view open : {"/**<", "/*!<", "/**", "/*!", "/*", "//!", "///"}) {
        if (line.substr(0, open.size()) == open) {
            line.remove_prefix(open.size());
            break;
        }
    }
    if (line.size() >= 2 && line.substr(line.size() - 2) == "*/") {
        line.remove_suffix(2);
    }
    line = Trim(line);
    while (!line.empty() && line.front() == '*') {
        line.remove_prefix(1);
    }
    return Trim(line);
}

}  // namespace

std::string BlockAsMarkdown(const std::string& block) {
    std::string out;
    std::size_t start = 0;
    bool lastBlank = true;
    bool inItem = false;  // the lines go on with a "@param" item
    while (start < block.size()) {
        std::size_t end = block.find('\n', start);
        if (end == std::string::npos) {
            end = block.size();
        }
        std::string_view line = Bare(std::string_view(block).substr(start, end - start));
        start = end + 1;
        if (line.empty()) {
            inItem = false;
            if (!lastBlank) {
                out += "\n";
            }
            lastBlank = true;
            continue;
        }
        for (std::string_view tag : {"@arg", "\\arg"}) {
            if (line.substr(0, tag.size()) == tag) {
                out += "  - " + EscapedMarkdown(Trim(line.substr(tag.size()))) + "\n";
                line = {};
            }
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == '@' || line.front() == '\\') {
            inItem = false;
        }
        // A line after a "@param" item goes on with that item.
        const std::string indent = inItem && !lastBlank ? "  " : "";
        lastBlank = false;
        for (std::string_view tag : {"@brief", "\\brief"}) {
            if (line.substr(0, tag.size()) == tag) {
                line = Trim(line.substr(tag.size()));
            }
        }
        const bool isParam = line.substr(0, 6) == "@param" || line.substr(0, 6) == "\\param";
        if (isParam) {
            std::string_view rest = line.substr(6);
            if (!rest.empty() && rest.front() == '[') {
                const std::size_t close = rest.find(']');
                rest =
                    close == std::string_view::npos ? std::string_view() : rest.substr(close + 1);
            }
            rest = Trim(rest);
            std::size_t nameEnd = 0;
            while (nameEnd < rest.size() && IsIdentifierByte(rest[nameEnd])) {
                ++nameEnd;
            }
            out += "- `" + std::string(rest.substr(0, nameEnd)) + "` " +
                   EscapedMarkdown(Trim(rest.substr(nameEnd))) + "\n";
            inItem = true;
            continue;
        }
        const bool isReturn = line.substr(0, 7) == "@return" || line.substr(0, 7) == "@retval" ||
                              line.substr(0, 7) == "\\return" || line.substr(0, 7) == "\\retval";
        if (isReturn) {
            out += "\n**Returns** " + EscapedMarkdown(Trim(line.substr(7))) + "\n";
            continue;
        }
        out += indent + EscapedMarkdown(line) + "\n";
    }
    return out;
}

std::optional<Json> HoverAt(CatalogueIndex& index, std::string_view text, std::size_t offset) {
    const Span word = WordAround(text, offset);
    if (word.begin == word.end) {
        return std::nullopt;
    }
    const CatalogueFunction* function = index.Find(text.substr(word.begin, word.end - word.begin));
    if (!function) {
        return std::nullopt;
    }
    const FunctionChoice& choice = index.Choice(*function);
    std::string markdown = "```c\n" + function->entry + "\n```\n";
    std::string values;
    for (int k = 0; k < ParameterCount(choice); ++k) {
        const ParameterValues parameter = ValuesOfParameter(choice, k);
        const std::string sentence = ValuesSentence(parameter);
        if (!sentence.empty()) {
            values += "- `" + parameter.name + "`: " + EscapedMarkdown(sentence) + "\n";
        }
    }
    if (!values.empty()) {
        markdown += "\n" + values;
    }
    if (choice.Found()) {
        // The collected text runs on into the definition: the comment alone.
        std::string block = choice.lookup.text;
        const std::size_t end = block.find("*/");
        if (end != std::string::npos) {
            block.resize(end + 2);
        }
        markdown += "\n---\n\n" + BlockAsMarkdown(block);
    }
    return Json{{"contents", Markdown(std::move(markdown))}, {"range", RangeJson(text, word)}};
}

}  // namespace quill::lsp
