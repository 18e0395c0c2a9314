#include "core/docs/VendorValues.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "core/text/DocumentationRules.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

constexpr std::string_view kScope = "::";         // before a constant's name
constexpr std::string_view kRangeTag = "Range:";  // a line of alternatives

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Descriptions take a CR or LF left in a line for a blank.
bool IsBlankOrLineEnd(char c) {
    return IsBlank(c) || IsLineEnd(c);
}

std::string Trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && IsBlankOrLineEnd(text[first])) {
        ++first;
    }
    while (end > first && IsBlankOrLineEnd(text[end - 1])) {
        --end;
    }
    return text.substr(first, end - first);
}

// The identifier that begins `text` at `from` ("" when none does).
std::string WordAt(const std::string& text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsWordChar(text[end])) {
        ++end;
    }
    return text.substr(from, end - from);
}

std::size_t SkipBlanks(const std::string& text, std::size_t from) {
    while (from < text.size() && IsBlankOrLineEnd(text[from])) {
        ++from;
    }
    return from;
}

// Just past the tag `word` ("ref", "b" ...) when `text` holds it at `at` in
// either of its spellings: "@" or "\" followed by the word, then not a word
// character; npos when it does not.
std::size_t TagEnd(const std::string& text, std::size_t at, const std::string& word) {
    if (at >= text.size() || (text[at] != '@' && text[at] != '\\')) {
        return std::string::npos;
    }
    if (text.compare(at + 1, word.size(), word) != 0) {
        return std::string::npos;
    }
    const std::size_t after = at + 1 + word.size();
    return after == text.size() || !IsWordChar(text[after]) ? after : std::string::npos;
}

// A value names a constant: it begins with a letter or "_".
bool IsName(const std::string& word) {
    return !word.empty() &&
           (std::isalpha(static_cast<unsigned char>(word[0])) != 0 || word[0] == '_');
}

std::string FileNameOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

Suggestions Found(std::vector<std::string> values, std::string source) {
    Suggestions suggestions;
    suggestions.values = std::move(values);
    if (!suggestions.values.empty()) {
        suggestions.source = std::move(source);
    }
    return suggestions;
}

// One comment line without its leaders ("/**", "/*!", "*", "//!", "///")
// and without the comment's end; `ended` tells that "*/" stood on it.
std::string CommentText(const std::string& line, bool& ended) {
    std::string text = line;
    const std::size_t close = BlockCloseAt(text);
    ended = close != std::string::npos;
    if (ended) {
        text.resize(close);
    }
    std::size_t i = SkipBlanks(text, 0);
    for (const char* leader : {"/**", "/*!", "/*", "///", "//!", "//"}) {
        if (text.compare(i, std::char_traits<char>::length(leader), leader) == 0) {
            i += std::char_traits<char>::length(leader);
            break;
        }
    }
    i = SkipBlanks(text, i);
    while (i < text.size() && (text[i] == '*' || text[i] == '!')) {
        ++i;
    }
    return Trim(text.substr(std::min(i, text.size())));
}

// Tags that stand inside a description rather than start a new one.
bool IsInlineTag(const std::string& word) {
    static const char* const inlineTags[] = {"arg", "ref", "b", "e", "c",    "p",      "a",
                                             "em",  "li",  "n", "f", "link", "endlink"};
    return std::any_of(std::begin(inlineTags), std::end(inlineTags),
                       [&word](const char* tag) { return word == tag; });
}

// The tag word a comment text begins with ("param", "return" ...), or "".
std::string LeadingTag(const std::string& text) {
    if (text.empty() || (text[0] != '@' && text[0] != '\\')) {
        return {};
    }
    return WordAt(text, 1);
}

// The parameter name documented by a text that begins with "@param" or
// "\param": the word after it (and after a direction such as "[in]"), without
// the punctuation of prose after it; "" when no blank follows the keyword.
std::string DocumentedName(const std::string& text) {
    std::string spaced = text;
    std::replace_if(spaced.begin(), spaced.end(), IsLineEnd, ' ');
    const std::optional<ParamLine> entry = ReadParamLine(
        spaced, text[0] == '@' ? kParamKeyword : kBackslashParamKeyword, ParamDirection::Skipped);
    if (!entry || !entry->blankAfterKeyword) {
        return {};
    }
    std::string name(entry->word);
    while (!name.empty() && (name.back() == ':' || name.back() == ',' || name.back() == '.')) {
        name.pop_back();
    }
    return name;
}

// Text after the name on the "@param" line itself.
std::string AfterDocumentedName(const std::string& text, const std::string& name) {
    const std::size_t at = text.find(name);
    std::string rest = at == std::string::npos ? std::string() : text.substr(at + name.size());
    const std::size_t start = rest.find_first_not_of(":,. \t");
    return start == std::string::npos ? std::string() : rest.substr(start);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// One "@ref NAME", "\ref NAME" or "::NAME" in a text.
struct Reference {
    std::size_t tagAt = 0;  // where "@ref", "\ref" or "::" begins
    std::size_t end = 0;    // just after the name
    std::string name;
};

// Every reference of `text` in order (blanks may follow the tags, none "::").
std::vector<Reference> References(const std::string& text) {
    std::vector<Reference> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t nameAt = TagEnd(text, i, "ref");
        if (nameAt != std::string::npos) {
            nameAt = SkipBlanks(text, nameAt);
        } else if (text.compare(i, kScope.size(), kScope) == 0) {
            nameAt = i + kScope.size();
        }
        if (nameAt == std::string::npos) {
            continue;
        }
        std::string name = WordAt(text, nameAt);
        if (!name.empty()) {
            found.push_back({i, nameAt + name.size(), std::move(name)});
            i = found.back().end - 1;
        }
    }
    return found;
}

// A parameter type without its qualifiers: "const enum dir_e" gives
// "dir_e"; "" for a pointer, an array or a type of several words.
std::string PlainTypeName(const std::string& type) {
    if (type.find_first_of("*[") != std::string::npos) {
        return {};
    }
    std::string name;
    std::size_t i = 0;
    while (i < type.size()) {
        i = SkipBlanks(type, i);
        const std::string word = WordAt(type, i);
        if (word.empty()) {
            return i < type.size() ? std::string() : name;
        }
        i += word.size();
        if (word == "const" || word == "volatile" || word == "enum" || word == "register") {
            continue;
        }
        if (!name.empty()) {
            return {};
        }
        name = word;
    }
    return name;
}

bool HoldsWord(const std::string& text, const std::string& word) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const bool startsWord = at == 0 || !IsWordChar(text[at - 1]);
        const std::size_t after = at + word.size();
        if (startsWord && (after == text.size() || !IsWordChar(text[after]))) {
            return true;
        }
    }
    return false;
}

}  // namespace

const char* SuggestionKindName(SuggestionKind kind) {
    return kind == SuggestionKind::Combination ? "combination" : "one-of";
}

std::string SuggestionNote(const Suggestions& suggestions) {
    if (suggestions.Empty()) {
        return {};
    }
    return "Values from " + suggestions.source +
           (suggestions.kind == SuggestionKind::Combination ? ", any combination joined with |."
                                                            : ".");
}

std::vector<std::string> DescriptionOfParameter(const std::string& block, const std::string& name) {
    std::vector<std::string> description;
    if (name.empty()) {
        return description;
    }
    bool inside = false;
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t end = block.find('\n', start);
        if (end == std::string::npos) {
            end = block.size();
        }
        bool ended = false;
        const std::string text = CommentText(block.substr(start, end - start), ended);
        start = end + 1;
        const std::string tag = LeadingTag(text);
        if (inside && !tag.empty() && !IsInlineTag(tag)) {
            break;
        }
        if (!inside && tag == "param" && DocumentedName(text) == name) {
            inside = true;
            description.push_back(AfterDocumentedName(text, name));
        } else if (inside) {
            description.push_back(text);
        }
        if (inside && ended) {
            break;
        }
    }
    return description;
}

std::vector<std::string> ParameterTypes(const std::string& entry) {
    std::vector<std::string> types;
    const std::size_t open = entry.find('(');
    const std::size_t close = entry.find(')', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos) {
        return types;
    }
    const std::string list = entry.substr(open + 1, close - open - 1);
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t comma = list.find(',', from);
        if (comma == std::string::npos) {
            comma = list.size();
        }
        const std::string parameter = Trim(CollapseBlanks(
            ReplaceAll(ReplaceAll(list.substr(from, comma - from), "\t", " "), "*", " * ")));
        const std::size_t space = parameter.rfind(' ');
        types.push_back(space == std::string::npos
                            ? std::string()
                            : Trim(ReplaceAll(parameter.substr(0, space), " * ", " *")));
        from = comma + 1;
    }
    return types;
}

bool DescribesCombination(const std::vector<std::string>& description) {
    const std::string text = Joined(description);
    const std::string lower = ToLowerAscii(text);
    return HoldsWord(lower, "combination") || HoldsWord(lower, "mask") ||
           HoldsWord(lower, "logical or") || HoldsWord(text, "OR of");
}

Suggestions ValuesFromArgLines(const std::vector<std::string>& description) {
    std::vector<std::string> values;
    for (const std::string& line : description) {
        const std::size_t argEnd = TagEnd(line, 0, "arg");
        if (argEnd == std::string::npos) {
            continue;
        }
        std::size_t at = SkipBlanks(line, argEnd);
        if (const std::size_t refEnd = TagEnd(line, at, "ref"); refEnd != std::string::npos) {
            at = SkipBlanks(line, refEnd);
        }
        const std::string value = WordAt(line, at);
        if (IsName(value)) {
            AddOnce(values, value);
        }
    }
    return Found(std::move(values), "@arg lines");
}

Suggestions ValuesFromBullets(const std::vector<std::string>& description) {
    std::vector<std::string> values;
    bool listed = false;
    for (const std::string& line : description) {
        if (!listed) {
            const std::string lower = ToLowerAscii(line);
            listed = lower.find("valid values are") != std::string::npos ||
                     lower.find("of the following") != std::string::npos;
            continue;
        }
        if (line.empty() || line[0] != '-') {
            continue;
        }
        const std::size_t boldEnd = TagEnd(line, SkipBlanks(line, 1), "b");
        if (boldEnd == std::string::npos) {
            continue;
        }
        const std::string value = WordAt(line, SkipBlanks(line, boldEnd));
        if (IsName(value)) {
            AddOnce(values, value);
        }
    }
    return Found(std::move(values), "\\b bullets");
}

Suggestions ValuesFromReference(const std::vector<std::string>& description,
                                const LibraryDeclarations& declarations) {
    for (const Reference& reference : References(Joined(description))) {
        const std::string& name = reference.name;
        if (const DeclaredValues* values = declarations.Enum(name)) {
            return Found(values->values, "enum " + name + " in " + FileNameOf(values->file));
        }
        if (const DeclaredValues* values = declarations.Group(name)) {
            return Found(values->values, "@defgroup " + name + " in " + FileNameOf(values->file));
        }
    }
    return {};
}

Suggestions ValuesFromEnumType(const std::string& type, const LibraryDeclarations& declarations) {
    const std::string name = PlainTypeName(type);
    const DeclaredValues* values = name.empty() ? nullptr : declarations.Enum(name);
    if (values == nullptr) {
        return {};
    }
    return Found(values->values, "enum type " + name + " in " + FileNameOf(values->file));
}

Suggestions ValuesFromRangeLine(const std::vector<std::string>& description) {
    for (const std::string& line : description) {
        const std::size_t at = line.find(kRangeTag);
        if (at == std::string::npos) {
            continue;
        }
        // "A or B", "A, B or C"; a numeric range such as "[0x0 to 0xFF]" names none.
        std::string rest = ReplaceAll(line.substr(at + kRangeTag.size()), ",", " or ");
        std::vector<std::string> values;
        std::size_t i = SkipBlanks(rest, 0);
        bool expectValue = true;
        while (i < rest.size()) {
            const std::string word = WordAt(rest, i);
            if (word.empty()) {
                if (rest[i] != '.' || rest.find_first_not_of(". \t\r", i) != std::string::npos) {
                    return {};
                }
                break;
            }
            if (expectValue) {
                if (!IsName(word)) {
                    return {};
                }
                AddOnce(values, word);
            } else if (word != "or") {
                return {};
            }
            expectValue = !expectValue;
            i = SkipBlanks(rest, i + word.size());
        }
        if (values.size() >= 2 && !expectValue) {
            return Found(std::move(values), "Range: line");
        }
    }
    return {};
}

Suggestions ValuesFromReferenceAlternatives(const std::vector<std::string>& description) {
    const std::string text = Joined(description);
    const std::vector<Reference> references = References(text);
    for (std::size_t first = 0; first < references.size(); ++first) {
        std::vector<std::string> values{references[first].name};
        for (std::size_t next = first + 1; next < references.size(); ++next) {
            // Only "or" or a comma may stand between one reference and the next.
            const std::size_t from = references[next - 1].end;
            const std::string between =
                Trim(ReplaceAll(text.substr(from, references[next].tagAt - from), ",", " "));
            if (between != "or" && !between.empty()) {
                break;
            }
            AddOnce(values, references[next].name);
        }
        if (values.size() >= 2) {
            return Found(std::move(values), "\\ref alternatives");
        }
    }
    return {};
}

Suggestions ValuesFromBoolType(const std::string& type) {
    const std::string name = PlainTypeName(type);
    if (name != "bool" && name != "_Bool") {
        return {};
    }
    return Found({"true", "false"}, "bool");
}

Suggestions SuggestValues(const std::string& block, const std::string& name,
                          const std::string& type, const LibraryDeclarations& declarations) {
    const std::vector<std::string> description = DescriptionOfParameter(block, name);
    Suggestions suggestions = ValuesFromArgLines(description);
    if (suggestions.Empty()) {
        suggestions = ValuesFromBullets(description);
    }
    if (suggestions.Empty()) {
        suggestions = ValuesFromReference(description, declarations);
    }
    if (suggestions.Empty()) {
        suggestions = ValuesFromEnumType(type, declarations);
    }
    if (suggestions.Empty()) {
        suggestions = ValuesFromRangeLine(description);
    }
    if (suggestions.Empty()) {
        suggestions = ValuesFromReferenceAlternatives(description);
    }
    if (suggestions.Empty()) {
        return ValuesFromBoolType(type);
    }
    if (DescribesCombination(description)) {
        suggestions.kind = SuggestionKind::Combination;
    }
    return suggestions;
}

std::vector<Suggestions> SuggestForFunction(const FunctionDocumentation& documentation,
                                            const std::string& block, const std::string& entry,
                                            const LibraryDeclarations& declarations) {
    std::vector<Suggestions> suggestions(documentation.parameters.size());
    // The types are split from the entry only for a function with a
    // parameter to suggest for.
    std::optional<std::vector<std::string>> typesRead;
    for (int k = 0; k < documentation.parameterCount; ++k) {
        const ParameterDescription& parameter = documentation.parameters[k];
        if (parameter.name.empty() || !parameter.choiceText.empty()) {
            continue;
        }
        if (!typesRead) {
            typesRead = ParameterTypes(entry);
        }
        const std::vector<std::string>& types = *typesRead;
        const std::string type =
            static_cast<std::size_t>(k) < types.size() ? types[k] : std::string();
        suggestions[k] = SuggestValues(block, parameter.name, type, declarations);
    }
    return suggestions;
}

}  // namespace quill
