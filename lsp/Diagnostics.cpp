#include "lsp/Diagnostics.h"

#include <algorithm>
#include <cctype>

#include "lsp/CallContext.h"
#include "lsp/ParameterValues.h"

namespace quill::lsp {

namespace {

// The argument without blanks and comments at either end.
Span Trimmed(std::string_view text, Span span) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (span.begin < span.end && blank(text[span.begin])) {
        ++span.begin;
    }
    while (span.end > span.begin && blank(text[span.end - 1])) {
        --span.end;
    }
    return span;
}

// An integer literal, optionally signed, with C's suffixes: "12", "-3",
// "0x1Fu", "010".
bool IsIntegerLiteral(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
        return false;
    }
    const bool hex =
        text.size() > i + 1 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
    if (hex) {
        i += 2;
        if (i >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    while (i < text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text[i])) != 0
                                   : (text[i] >= '0' && text[i] <= '9'))) {
        ++i;
    }
    while (i < text.size() && std::string_view("uUlL").find(text[i]) != std::string_view::npos) {
        ++i;
    }
    return i == text.size();
}

bool IsBareIdentifier(std::string_view text) {
    return !text.empty() && !(text[0] >= '0' && text[0] <= '9') &&
           std::all_of(text.begin(), text.end(), IsIdentifierByte);
}

// The literal as ParseNumber reads it: C's suffixes go, and so does a "+"
// sign, which the entry field's rule does not take.
std::string NumberText(std::string_view literal) {
    std::string number(literal);
    while (!number.empty() &&
           std::string_view("uUlL").find(number.back()) != std::string_view::npos) {
        number.pop_back();
    }
    if (!number.empty() && number[0] == '+') {
        number.erase(0, 1);
    }
    return number;
}

Json Warning(std::string_view text, Span span, const char* code, std::string message) {
    return {{"range", RangeJson(text, span)},
            {"severity", kSeverityWarning},
            {"code", code},
            {"source", "quill"},
            {"message", std::move(message)}};
}

}  // namespace

Json DiagnoseText(CatalogueIndex& index, std::string_view text) {
    Json diagnostics = Json::array();
    ForEachCall(text, [&](const CallSite& call) {
        const CatalogueFunction* function = index.Find(call.name);
        if (!function) {
            return;
        }
        const FunctionChoice& choice = index.Choice(*function);
        const int count =
            std::min<int>(ParameterCount(choice), static_cast<int>(call.arguments.size()));
        for (int k = 0; k < count; ++k) {
            const ParameterValues parameter = ValuesOfParameter(choice, k);
            if (!parameter.pinned) {
                continue;
            }
            const Span span = Trimmed(text, call.arguments[k]);
            const std::string_view argument = text.substr(span.begin, span.end - span.begin);
            if (parameter.range && IsIntegerLiteral(argument)) {
                const RangeBounds& range = *parameter.range;
                if (CompareToRange(range.low, range.high, NumberText(argument)) != 0) {
                    diagnostics.push_back(Warning(
                        text, span, kOutOfRangeCode,
                        std::string(argument) + " is outside the documented range " + range.low +
                            "-" + range.high + " of " + parameter.name + " of " + call.name + "."));
                }
                continue;
            }
            if (!parameter.values.empty() && IsBareIdentifier(argument) &&
                std::find(parameter.values.begin(), parameter.values.end(), argument) ==
                    parameter.values.end()) {
                std::string values;
                for (const std::string& value : parameter.values) {
                    values += (values.empty() ? "" : ", ") + value;
                }
                diagnostics.push_back(
                    Warning(text, span, kNotListedCode,
                            std::string(argument) + " is none of the documented values of " +
                                parameter.name + " of " + call.name + ": " + values + "."));
            }
        }
    });
    return diagnostics;
}

}  // namespace quill::lsp
