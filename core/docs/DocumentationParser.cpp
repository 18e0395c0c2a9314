#include "core/docs/DocumentationParser.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/docs/ChoiceForms.h"
#include "core/docs/PrototypeLookup.h"
#include "core/text/DocumentationRules.h"
#include "core/text/LineNormaliser.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

// The normalised lines [begin, end) of the parser's text, and the helper the
// last "@note" among them names (kNoText when none does).
void TakeBlock(const DocumentLines& lines, std::size_t begin, std::size_t end,
               FunctionDocumentation& doc) {
    doc.helperName = std::string(kNoText);
    std::size_t bytes = 0;
    for (std::size_t i = begin; i < end; ++i) {
        bytes += lines.Text(i).size();
    }
    doc.documentationText.reserve(bytes);
    // Kept from one block to the next: a library checked whole parses many.
    thread_local LineNormaliser normaliser;
    thread_local std::string scratch;
    for (std::size_t i = begin; i < end; ++i) {
        doc.documentationText += normaliser.Normalise(lines.ParserView(i, scratch));
        std::string helper = lines.Helper(i);
        if (!helper.empty()) {
            doc.helperName = std::move(helper);
        }
    }
}

// documentationText holds the block of the prototype line up to the next
// block opener; without a prototype line, the last block of the file.
void ScanDocumentation(DocumentLines& lines, const std::string& entry, FunctionDocumentation& doc) {
    if (const std::optional<std::size_t> match = lines.FirstParserMatch(entry)) {
        TakeBlock(lines, lines.BlockStart(*match), lines.BlockEnd(*match), doc);
        return;
    }
    const std::size_t count = lines.Count();
    TakeBlock(lines, count == 0 ? 0 : lines.BlockStart(count - 1), count, doc);
}

// The prototype text up to its first ")", spaced so that "*" stands apart and
// the parameters are separated by a bare ",". In two passes: "*" gets a
// blank on each side, tabs become blanks and runs of blanks one; then, with
// no two blanks together, every blank after "," or "(" and before ",", "("
// or ")" goes (its neighbours decide it, whatever goes beside it). Into
// `spaced`, whose room is kept from one call to the next.
void SpacedPrototype(std::string_view entry, std::string& spaced) {
    spaced.clear();
    const std::size_t close = entry.find(')');
    if (close == std::string_view::npos) {
        return;
    }
    AppendStarSpaced(entry.substr(0, close + 1), spaced);
    // The second pass in place: it never writes ahead of what it reads, and
    // keeps the byte it read before.
    char* const begin = spaced.data();
    const char* const end = begin + spaced.size();
    char* write = begin;
    char before = '\0';
    for (const char* read = begin; read < end; ++read) {
        const char c = *read;
        const char after = read + 1 < end ? read[1] : '\0';
        const bool dropped = c == ' ' && (before == ',' || before == '(' || after == ',' ||
                                          after == '(' || after == ')');
        before = c;
        if (!dropped) {
            *write++ = c;
        }
    }
    spaced.resize(static_cast<std::size_t>(write - begin));
}

// True when the parameter list before the first ")" of `rest` is the word
// "void" alone: a pointer such as "void *p" is a parameter like any other.
bool IsVoidList(std::string_view rest) {
    const std::string_view list = rest.substr(0, rest.find(')'));
    const std::size_t first = list.find_first_not_of(' ');
    return first != std::string_view::npos && list.compare(first, 4, "void") == 0 &&
           list.find_first_not_of(' ', first + 4) == std::string_view::npos;
}

// The names of the parameters in `rest` (the prototype after its "("), at
// most `limit` of them: each "type name" text up to a "," or ")" gives the
// word after its last blank. The list ends at a text that is too short or
// holds no such word.
std::vector<std::string> ParameterNames(std::string_view rest, std::size_t limit) {
    std::vector<std::string> names;
    const long close = FindPos(rest, ")");
    const long open = FindPos(rest, "(");
    if (close - open < kShortestParameterList || IsVoidList(rest)) {
        return names;
    }
    while (names.size() < limit) {
        std::size_t end = 0;
        while (end < rest.size() && rest[end] != ',' && rest[end] != ')') {
            ++end;
        }
        end = end == rest.size() ? std::string_view::npos : end;
        if (end == std::string_view::npos ||
            end <= static_cast<std::size_t>(kShortestParameterText)) {
            break;
        }
        const std::string_view typeAndName = rest.substr(0, end);
        const std::size_t space = typeAndName.rfind(' ');
        if (space == std::string_view::npos || space <= 1 || space + 1 == typeAndName.size()) {
            break;
        }
        names.emplace_back(typeAndName.substr(space + 1));
        rest.remove_prefix(end + 1);
    }
    return names;
}

void TakeParameters(std::string_view rest, FunctionDocumentation& doc) {
    std::vector<std::string> names = ParameterNames(rest, std::numeric_limits<std::size_t>::max());
    if (names.size() > doc.parameters.size()) {
        doc.parameters.resize(names.size());
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        ParameterDescription& parameter = doc.parameters[k];
        parameter.name = std::move(names[k]);
        parameter.choiceText = ParserParamList(doc.documentationText, parameter.name);
        if (AtPositionOneOrLater(parameter.choiceText, ".exe")) {
            parameter.editText = QuotedHelperText(parameter.choiceText);
        }
    }
}

// Name, return type and parameters split from the entry; the choice texts
// come from the "@param" entries of `doc.documentationText`.
void TakePrototype(const std::string& entry, FunctionDocumentation& doc) {
    // Kept from one parse to the next: a library checked whole has many.
    thread_local std::string prototype;
    SpacedPrototype(entry, prototype);
    const long open = FindPos(prototype, "(");
    const std::string_view head =
        open < 0 ? std::string_view()
                 : std::string_view(prototype).substr(0, static_cast<std::size_t>(open));
    const long space = FindLastPos(head, " ");
    doc.returnType =
        space < 0 ? std::string_view() : head.substr(0, static_cast<std::size_t>(space));
    doc.functionName = space < 0 ? head : head.substr(static_cast<std::size_t>(space) + 1);

    TakeParameters(open < 0
                       ? std::string_view(prototype)
                       : std::string_view(prototype).substr(static_cast<std::size_t>(open) + 1),
                   doc);

    doc.parameterCount = 0;
    for (std::size_t k = 0; k < doc.parameters.size(); ++k) {
        if (!doc.parameters[k].name.empty()) {
            doc.parameterCount = static_cast<int>(k) + 1;
        }
    }
}

}  // namespace

FunctionDocumentation RecordFromEntry(const std::string& entry) {
    FunctionDocumentation doc;
    TakePrototype(entry, doc);
    // An entry with no "(" names no function: the whole entry stands for it.
    if (doc.functionName.empty()) {
        doc.functionName = entry;
    }
    return doc;
}

FunctionDocumentation ParseDocumentation(DocumentLines& lines, const std::string& entry,
                                         bool lookupSucceeded) {
    if (!lookupSucceeded) {
        return RecordFromEntry(entry);
    }
    FunctionDocumentation doc;
    ScanDocumentation(lines, entry, doc);
    TakePrototype(entry, doc);
    return doc;
}

FunctionDocumentation ParseDocumentationBlock(const DocumentLines& lines, std::size_t begin,
                                              std::size_t end, const std::string& entry) {
    FunctionDocumentation doc;
    TakeBlock(lines, begin, end, doc);
    TakePrototype(entry, doc);
    return doc;
}

FunctionDocumentation ParseDocumentationLines(TextFile& file, const std::string& entry,
                                              bool lookupSucceeded) {
    DocumentLines lines(std::move(file));
    return ParseDocumentation(lines, entry, lookupSucceeded);
}

}  // namespace quill
