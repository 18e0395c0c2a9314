#include "lsp/FunctionCompletion.h"

#include "lsp/CallContext.h"
#include "lsp/ParameterValues.h"

namespace quill::lsp {

namespace {

// Snippet text with the bytes that mean something in it escaped; inside a
// choice "," and "|" as well.
std::string Escaped(const std::string& text, bool inChoice) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '$' || c == '}' || (inChoice && (c == ',' || c == '|'))) {
            out += '\\';
        }
        out += c;
    }
    return out;
}

}  // namespace

std::string CallSnippet(const FunctionChoice& choice) {
    std::string snippet = Escaped(choice.documentation.functionName, false) + "(";
    const int count = ParameterCount(choice);
    for (int k = 0; k < count; ++k) {
        const ParameterValues parameter = ValuesOfParameter(choice, k);
        const std::string number = std::to_string(k + 1);
        snippet += k ? ", " : "";
        if (parameter.values.empty()) {
            const std::string name = parameter.name.empty() ? "arg" + number : parameter.name;
            snippet += "${" + number + ":" + Escaped(name, false) + "}";
            continue;
        }
        snippet += "${" + number + "|";
        for (std::size_t i = 0; i < parameter.values.size(); ++i) {
            if (i > 0) {
                snippet += ',';
            }
            snippet += Escaped(parameter.values[i], true);
        }
        snippet += "|}";
    }
    return snippet + ")";
}

Json CompleteFunctionName(CatalogueIndex& index, std::string_view text, std::size_t offset) {
    const Span word = WordBefore(text, offset);
    Json items = Json::array();
    if (word.begin == word.end) {
        return {{"isIncomplete", false}, {"items", items}};
    }
    const std::string_view typed = text.substr(word.begin, word.end - word.begin);
    const auto found = index.WithPrefix(typed, kMaxFunctionItems + 1);
    const bool more = found.size() > kMaxFunctionItems;
    // The text after the word: a call already written keeps its arguments.
    const bool callFollows = word.end < text.size() && text[word.end] == '(';
    for (std::size_t i = 0; i < found.size() && i < kMaxFunctionItems; ++i) {
        const CatalogueFunction& function = *found[i];
        Json item = {
            {"label", function.name},    {"kind", CompletionKind::kFunction},
            {"detail", function.entry},  {"filterText", function.name},
            {"sortText", function.name},
        };
        if (callFollows) {
            item["textEdit"] = {{"range", RangeJson(text, word)}, {"newText", function.name}};
        } else {
            item["insertTextFormat"] = kSnippetFormat;
            item["textEdit"] = {{"range", RangeJson(text, word)},
                                {"newText", CallSnippet(index.Choice(function))}};
        }
        items.push_back(std::move(item));
    }
    return {{"isIncomplete", more}, {"items", items}};
}

}  // namespace quill::lsp
