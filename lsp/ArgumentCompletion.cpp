#include "lsp/ArgumentCompletion.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "lsp/CallContext.h"
#include "lsp/ParameterValues.h"

namespace quill::lsp {

namespace {

bool LooksNumeric(const std::string& value) {
    return !value.empty() &&
           ((value[0] >= '0' && value[0] <= '9') || value[0] == '-' || value[0] == '+');
}

std::string SortKey(std::size_t rank) {
    char key[16];
    std::snprintf(key, sizeof key, "%06zu", rank);
    return key;
}

// The identifiers an argument names already.
std::set<std::string> NamedIn(std::string_view argument) {
    std::set<std::string> named;
    for (std::size_t i = 0; i < argument.size();) {
        if (!IsIdentifierByte(argument[i])) {
            ++i;
            continue;
        }
        const std::size_t begin = i;
        while (i < argument.size() && IsIdentifierByte(argument[i])) {
            ++i;
        }
        named.emplace(argument.substr(begin, i - begin));
    }
    return named;
}

}  // namespace

std::optional<Json> CompleteArgument(CatalogueIndex& index, std::string_view text,
                                     std::size_t offset) {
    const std::optional<CatalogueCall> call = CatalogueCallAt(index, text, offset);
    if (!call) {
        return std::nullopt;
    }
    const CallContext& context = call->context;
    const CatalogueFunction* function = call->function;
    const ParameterValues parameter = ValuesOfParameter(index.Choice(*function), context.argument);
    if (parameter.values.empty()) {
        return std::nullopt;
    }
    const Span word = WordBefore(text, offset);
    const std::string_view before = text.substr(
        context.argumentBegin, word.begin - std::min(word.begin, context.argumentBegin));
    const bool afterBar = parameter.combination && before.find('|') != std::string_view::npos;
    const std::set<std::string> named = afterBar ? NamedIn(before) : std::set<std::string>{};
    // "A |B" reads better as "A | B".
    const std::string lead = afterBar && !before.empty() && before.back() == '|' ? " " : "";

    const std::string detail =
        parameter.name + (parameter.combination ? ": any combination of" : ": one of");
    Json items = Json::array();
    std::vector<std::string> left;
    for (const std::string& value : parameter.values) {
        if (named.count(value)) {
            continue;
        }
        left.push_back(value);
        Json item = {
            {"label", value},
            {"kind", LooksNumeric(value) ? CompletionKind::kValue : CompletionKind::kEnumMember},
            {"detail", detail},
            {"sortText", SortKey(items.size())},
            {"filterText", value},
            {"textEdit", {{"range", RangeJson(text, word)}, {"newText", lead + value}}},
        };
        const std::string note = index.ValueNote(*function, value);
        if (!note.empty()) {
            item["documentation"] = note;
        }
        if (items.empty()) {
            item["preselect"] = true;
        }
        items.push_back(std::move(item));
    }
    if (afterBar && left.size() > 1) {
        std::string joined;
        for (const std::string& value : left) {
            joined += (joined.empty() ? "" : " | ") + value;
        }
        items.push_back({
            {"label", joined},
            {"kind", CompletionKind::kValue},
            {"detail", parameter.name + ": all the values left"},
            {"sortText", SortKey(items.size())},
            {"filterText", joined},
            {"textEdit", {{"range", RangeJson(text, word)}, {"newText", lead + joined}}},
        });
    }
    return items;
}

}  // namespace quill::lsp
