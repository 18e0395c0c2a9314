#include "lsp/SignatureHelp.h"

#include "lsp/ParameterValues.h"

namespace quill::lsp {

std::vector<Span> ParameterSpans(std::string_view entry) {
    std::vector<Span> spans;
    const std::size_t open = entry.find('(');
    if (open == std::string_view::npos) {
        return spans;
    }
    int depth = 0;
    std::size_t begin = open + 1;
    const auto add = [&](std::size_t end) {
        while (begin < end && (entry[begin] == ' ' || entry[begin] == '\t')) {
            ++begin;
        }
        while (end > begin && (entry[end - 1] == ' ' || entry[end - 1] == '\t')) {
            --end;
        }
        if (end > begin) {
            spans.push_back({begin, end});
        }
    };
    for (std::size_t i = open + 1; i < entry.size(); ++i) {
        const char c = entry[i];
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (c == ')') {
            add(i);
            return spans;
        } else if (c == ',' && depth == 0) {
            add(i);
            begin = i + 1;
        }
    }
    add(entry.size());
    return spans;
}

std::string ValuesSentence(const ParameterValues& parameter) {
    std::string values;
    for (const std::string& value : parameter.values) {
        values += (values.empty() ? "" : ", ") + value;
    }
    if (!values.empty()) {
        return parameter.combination ? "Any combination of " + values + ", joined with |."
                                     : "One of " + values + ".";
    }
    if (parameter.range) {
        return "From " + parameter.range->low + " to " + parameter.range->high + ".";
    }
    return {};
}

std::optional<Json> HelpWithSignature(CatalogueIndex& index, std::string_view text,
                                      std::size_t offset) {
    const std::optional<CatalogueCall> call = CatalogueCallAt(index, text, offset);
    if (!call) {
        return std::nullopt;
    }
    const CallContext& context = call->context;
    const CatalogueFunction* function = call->function;
    const FunctionChoice& choice = index.Choice(*function);
    const std::string& label = function->entry;
    Json parameters = Json::array();
    int k = 0;
    for (const Span& span : ParameterSpans(label)) {
        const std::size_t begin = static_cast<std::size_t>(PositionOf(label, span.begin).character);
        const std::size_t end = static_cast<std::size_t>(PositionOf(label, span.end).character);
        Json parameter = {{"label", {begin, end}}};
        const std::string sentence = ValuesSentence(ValuesOfParameter(choice, k++));
        if (!sentence.empty()) {
            parameter["documentation"] = sentence;
        }
        parameters.push_back(std::move(parameter));
    }
    const int active = context.argument;
    return Json{{"signatures", {{{"label", label}, {"parameters", parameters}}}},
                {"activeSignature", 0},
                {"activeParameter", active}};
}

}  // namespace quill::lsp
