#include "lsp/ParameterValues.h"

#include "core/docs/ChoiceForms.h"

namespace quill::lsp {

namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        std::string item = text.substr(start, end == std::string::npos ? end : end - start);
        if (!item.empty()) {
            items.push_back(std::move(item));
        }
        if (end == std::string::npos) {
            return items;
        }
        start = end + 1;
    }
}

}  // namespace

int ParameterCount(const FunctionChoice& choice) {
    const int held = static_cast<int>(choice.documentation.parameters.size());
    return std::min(choice.documentation.parameterCount, held);
}

ParameterValues ValuesOfParameter(const FunctionChoice& choice, int index) {
    ParameterValues result;
    if (index < 0 || index >= ParameterCount(choice)) {
        return result;
    }
    const ParameterDescription& parameter = choice.documentation.parameters[index];
    result.name = parameter.name;
    const std::string& text = parameter.choiceText;
    if (!text.empty()) {
        switch (FormOf(text)) {
            case ChoiceForm::List:
                result.values = SplitAt(text, ',');
                result.pinned = true;
                result.source = "the @param list";
                return result;
            case ChoiceForm::Flags:
                result.values = SplitAt(text, '|');
                result.combination = true;
                result.pinned = true;
                result.source = "the @param list";
                return result;
            case ChoiceForm::Helper:
                return result;
            case ChoiceForm::Free:
                if (IsRangeForm(text)) {
                    result.range = SplitRange(text);
                    result.pinned = true;
                    result.source = "the @param range";
                }
                return result;
        }
    }
    if (static_cast<std::size_t>(index) < choice.suggestions.size()) {
        const Suggestions& suggestions = choice.suggestions[index];
        result.values = suggestions.values;
        result.combination = suggestions.kind == SuggestionKind::Combination;
        result.source = suggestions.source;
    }
    return result;
}

}  // namespace quill::lsp
