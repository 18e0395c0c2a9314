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

std::string_view TrimmedView(std::string_view text) {
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

std::string Trim(std::string_view text) {
    return std::string(TrimmedView(text));
}

// The identifier that begins `text` at `from` ("" when none does).
std::string_view WordView(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && IsWordChar(text[end])) {
        ++end;
    }
    return text.substr(from, end - from);
}

std::string WordAt(std::string_view text, std::size_t from) {
    return std::string(WordView(text, from));
}

std::size_t SkipBlanks(std::string_view text, std::size_t from) {
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

// The values of a declaration with the preprocessor conditions they stand under.
Suggestions Declared(const DeclaredValues& declared, std::string source) {
    Suggestions suggestions = Found(declared.values, std::move(source));
    suggestions.conditions = declared.conditions;
    return suggestions;
}

// One comment line without its leaders ("/**", "/*!", "*", "//!", "///")
// and without the comment's end; `ended` tells that "*/" stood on it. The
// view points into `line`.
std::string_view CommentText(std::string_view line, bool& ended) {
    std::string_view text = line;
    const std::size_t close = BlockCloseAt(text);
    ended = close != std::string::npos;
    if (ended) {
        text = text.substr(0, close);
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
    return TrimmedView(text.substr(std::min(i, text.size())));
}

// Tags that stand inside a description rather than start a new one.
bool IsInlineTag(std::string_view word) {
    static const char* const inlineTags[] = {"arg", "ref", "b", "e", "c",    "p",      "a",
                                             "em",  "li",  "n", "f", "link", "endlink"};
    return std::any_of(std::begin(inlineTags), std::end(inlineTags),
                       [&word](const char* tag) { return word == tag; });
}

// The tag word a comment text begins with ("param", "return" ...), or "".
std::string_view LeadingTag(std::string_view text) {
    if (text.empty() || (text[0] != '@' && text[0] != '\\')) {
        return {};
    }
    return WordView(text, 1);
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

// The enumerators of the enum a parameter's plain type name names.
Suggestions EnumTypeValues(const std::string& name, const LibraryDeclarations& declarations) {
    const DeclaredValues* values = name.empty() ? nullptr : declarations.Enum(name);
    if (values == nullptr) {
        return {};
    }
    return Declared(*values, "enum type " + name + " in " + FileNameOf(values->file));
}

Suggestions BoolTypeValues(const std::string& name) {
    if (name != "bool" && name != "_Bool") {
        return {};
    }
    return Found({"true", "false"}, "bool");
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

// A word that names a constant rather than prose: "UART_PARITY_ODD",
// "GPIOA", "kLPUART_ParityOdd"; not "Enable" or "the".
bool LooksLikeConstant(const std::string& word) {
    if (!IsName(word) || word.size() < 2) {
        return false;
    }
    if (word.find('_') != std::string::npos) {
        return true;
    }
    if (word[0] == 'k' && std::isupper(static_cast<unsigned char>(word[1])) != 0) {
        return true;
    }
    return std::none_of(word.begin(), word.end(),
                        [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; });
}

// The words of a line on a value that tell it exists only on some chips:
// "available only for X devices", "available for all devices except Y",
// "only on Z". "" when it says nothing of the kind.
std::string ChipNote(const std::string& text) {
    const std::string lower = ToLowerAscii(text);
    std::size_t at = std::string::npos;
    for (const char* phrase :
         {"only for", "only on", "only in", "only available", "except", "not available"}) {
        at = std::min(at, lower.find(phrase));
    }
    if (at == std::string::npos) {
        return {};
    }
    // The clause begins at "available" when it stands before the phrase.
    const std::size_t clause = lower.find_last_of(",;(:", at);
    const std::size_t available = lower.rfind("available", at);
    if (available != std::string::npos && (clause == std::string::npos || available > clause)) {
        at = available;
    } else if (clause != std::string::npos) {
        at = clause + 1;
    }
    std::string note = Trim(text.substr(at));
    while (!note.empty() && (note.back() == '.' || note.back() == ',' || note.back() == ')')) {
        note.pop_back();
    }
    // It speaks of chips: a device, a package, or a part number such as "F410Rx".
    const std::string lowerNote = ToLowerAscii(note);
    bool chips = false;
    for (const char* word : {"device", "chip", "package", "product"}) {
        chips = chips || lowerNote.find(word) != std::string::npos;
    }
    for (std::size_t i = 0; i < note.size() && !chips;) {
        const std::string word = WordAt(note, i);
        chips =
            std::any_of(word.begin(), word.end(),
                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }) &&
            std::any_of(word.begin(), word.end(),
                        [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
        i += word.empty() ? 1 : word.size();
    }
    return chips ? note : std::string();
}

// A bullet's text without its marker ("-", "\li", "@li"; a "*" went with
// the comment's leaders), or none when `line` is no bullet: a line without
// a marker is one when it begins with a constant's name ("NAME_A: ...").
std::optional<std::string> BulletText(const std::string& line) {
    if (!line.empty() && line[0] == '-') {
        return line.substr(1);
    }
    if (const std::size_t end = TagEnd(line, 0, "li"); end != std::string::npos) {
        return line.substr(end);
    }
    const std::string word = WordAt(line, line.compare(0, 1, "`") == 0 ? 1 : 0);
    if (word.find('_') != std::string::npos && LooksLikeConstant(word)) {
        return line;
    }
    return std::nullopt;
}

// The value a bullet or a table cell names: after an optional "\b", "\c",
// "\e", "@ref" or a backtick. `marked` tells that "\b" or a reference
// stood before it, which makes any name a value.
std::string NamedValue(const std::string& text, bool& marked) {
    std::size_t at = SkipBlanks(text, 0);
    marked = false;
    for (const char* tag : {"b", "c", "e", "ref", "p"}) {
        if (const std::size_t end = TagEnd(text, at, tag); end != std::string::npos) {
            marked = true;
            at = SkipBlanks(text, end);
            break;
        }
    }
    if (at < text.size() && text[at] == '`') {
        ++at;
    }
    return WordAt(text, at);
}

// A parameter's text with tabs as spaces, a space either side of each "*"
// and every run of spaces made one space.
std::string SpacedParameter(std::string_view text) {
    std::string out;
    AppendStarSpaced(text, out);
    return out;
}

// True when some line of a description holds `text`.
bool AnyLineHolds(const std::vector<std::string>& description, std::string_view text) {
    return std::any_of(description.begin(), description.end(), [text](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

// True when a parameter's name says it takes a mask ("event_mask", "intMask").
bool NamesAMask(const std::string& name) {
    const std::string lower = ToLowerAscii(name);
    return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, "mask") == 0;
}

// One "x can be (a..b)" range read at `from`: its values' suffixes, or none.
std::vector<std::string> IndexRange(const std::string& text, std::size_t& from) {
    std::size_t i = SkipBlanks(text, from);
    const bool parenthesised = i < text.size() && text[i] == '(';
    if (parenthesised) {
        i = SkipBlanks(text, i + 1);
    }
    const std::string low = WordAt(text, i);
    i = SkipBlanks(text, i + low.size());
    if (text.compare(i, 2, "..") != 0) {
        return {};
    }
    i = SkipBlanks(text, i + 2);
    const std::string high = WordAt(text, i);
    i += high.size();
    if (parenthesised) {
        i = SkipBlanks(text, i);
        if (i >= text.size() || text[i] != ')') {
            return {};
        }
        ++i;
    }
    std::vector<std::string> suffixes;
    const auto digits = [](const std::string& word) {
        return !word.empty() && word.size() <= 3 &&
               std::all_of(word.begin(), word.end(),
                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    };
    const auto letter = [](const std::string& word) {
        return word.size() == 1 && std::isalpha(static_cast<unsigned char>(word[0])) != 0;
    };
    if (digits(low) && digits(high) && std::stoi(low) <= std::stoi(high) &&
        std::stoi(high) - std::stoi(low) < 64) {
        for (int k = std::stoi(low); k <= std::stoi(high); ++k) {
            suffixes.push_back(std::to_string(k));
        }
    } else if (letter(low) && letter(high) && low[0] <= high[0] &&
               (std::isupper(static_cast<unsigned char>(low[0])) != 0) ==
                   (std::isupper(static_cast<unsigned char>(high[0])) != 0)) {
        for (char c = low[0]; c <= high[0]; ++c) {
            suffixes.emplace_back(1, c);
        }
    }
    from = i;
    return suffixes;
}

// A name that ends in the index letter: "GPIO_PIN_x", "GPIOx", "TIMx".
bool IsIndexTemplate(const std::string& word) {
    if (word.size() < 2 || word.back() != 'x') {
        return false;
    }
    const char before = word[word.size() - 2];
    return before == '_' || std::isupper(static_cast<unsigned char>(before)) != 0 ||
           std::isdigit(static_cast<unsigned char>(before)) != 0;
}

}  // namespace

std::string MarkedValue(const Suggestions& suggestions, std::size_t k) {
    if (k >= suggestions.values.size()) {
        return {};
    }
    const std::string condition = suggestions.ConditionOf(k);
    return condition.empty() ? suggestions.values[k]
                             : suggestions.values[k] + "  [only: " + condition + "]";
}

const char* SuggestionKindName(SuggestionKind kind) {
    return kind == SuggestionKind::Combination ? "combination" : "one-of";
}

std::string SuggestionNote(const Suggestions& suggestions) {
    if (suggestions.Empty()) {
        return {};
    }
    std::string note =
        "Values from " + suggestions.source +
        (suggestions.kind == SuggestionKind::Combination ? ", any combination joined with |."
                                                         : ".");
    std::string onlySome;
    for (std::size_t k = 0; k < suggestions.values.size(); ++k) {
        if (!suggestions.ConditionOf(k).empty()) {
            onlySome += (onlySome.empty() ? "" : "; ") + suggestions.values[k] + " (" +
                        suggestions.ConditionOf(k) + ")";
        }
    }
    return onlySome.empty() ? note : note + " Only on some chips: " + onlySome + ".";
}

std::vector<std::string> DescriptionOfParameter(const std::string& block, const std::string& name) {
    std::vector<std::string> description;
    if (name.empty()) {
        return description;
    }
    bool inside = false;
    bool blankSeen = false;
    // The documented name is a word of the line, so a line that does not
    // hold `name` cannot be its entry (a name with a blank is no word).
    const bool nameIsWord = name.find(' ') == std::string::npos;
    const std::string_view all(block);
    std::string_view lastText;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        const std::string_view line = all.substr(start, end - start);
        start = end + 1;
        // Before the entry only a line holding its tag matters.
        if (!inside && line.find("param") == std::string_view::npos) {
            continue;
        }
        bool ended = false;
        const std::string_view text = CommentText(line, ended);
        const std::string_view tag = LeadingTag(text);
        if (inside && !tag.empty() && !IsInlineTag(tag)) {
            break;
        }
        if (!inside && tag == "param" &&
            (!nameIsWord || text.find(name) != std::string_view::npos) &&
            DocumentedName(std::string(text)) == name) {
            inside = true;
            description.push_back(AfterDocumentedName(std::string(text), name));
            lastText = text;
        } else if (inside && text.empty()) {
            // A blank line ends the description, unless it stands between
            // a line that announces values ("... values:") and their list.
            if (blankSeen || lastText.empty() || lastText.back() != ':') {
                break;
            }
            blankSeen = true;
        } else if (inside) {
            description.emplace_back(text);
            lastText = text;
            blankSeen = false;
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
    const std::string_view list = std::string_view(entry).substr(open + 1, close - open - 1);
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t comma = list.find(',', from);
        if (comma == std::string_view::npos) {
            comma = list.size();
        }
        const std::string spaced = SpacedParameter(list.substr(from, comma - from));
        const std::string_view parameter = TrimmedView(spaced);
        const std::size_t space = parameter.rfind(' ');
        if (space == std::string_view::npos) {
            types.emplace_back();
        } else {
            // The type, its "*" put back against the name's side.
            const std::string_view type = parameter.substr(0, space);
            types.push_back(type.find('*') == std::string_view::npos
                                ? Trim(type)
                                : Trim(ReplaceAll(type, " * ", " *")));
        }
        from = comma + 1;
    }
    return types;
}

bool DescribesCombination(const std::vector<std::string>& description) {
    const std::string text = Joined(description);
    const std::string lower = ToLowerAscii(text);
    return HoldsWord(lower, "combination") || HoldsWord(lower, "mask") ||
           HoldsWord(lower, "bitmask") || HoldsWord(lower, "logical or") ||
           HoldsWord(text, "OR of") || HoldsWord(lower, "ored") || HoldsWord(lower, "or-ed") ||
           HoldsWord(lower, "or operation");
}

Suggestions ValuesFromArgLines(const std::vector<std::string>& description) {
    std::vector<std::string> values;
    std::vector<std::string> conditions;
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
        if (IsName(value) && std::find(values.begin(), values.end(), value) == values.end()) {
            values.push_back(value);
            conditions.push_back(ChipNote(line.substr(at + value.size())));
        }
    }
    Suggestions found = Found(std::move(values), "@arg lines");
    found.conditions = std::move(conditions);
    return found;
}

Suggestions ValuesFromBullets(const std::vector<std::string>& description) {
    std::vector<std::string> values;
    std::vector<std::string> conditions;
    bool listed = false;
    for (const std::string& line : description) {
        if (!listed) {
            listed = (!line.empty() && line.back() == ':') ||
                     HoldsIgnoringCase(line, "valid values are") ||
                     HoldsIgnoringCase(line, "of the following");
            continue;
        }
        const std::optional<std::string> bullet = BulletText(line);
        if (!bullet) {
            continue;
        }
        bool marked = false;
        const std::string value = NamedValue(*bullet, marked);
        if ((marked ? IsName(value) : LooksLikeConstant(value)) &&
            std::find(values.begin(), values.end(), value) == values.end()) {
            values.push_back(value);
            conditions.push_back(ChipNote(bullet->substr(bullet->find(value) + value.size())));
        }
    }
    Suggestions found = Found(std::move(values), "bullets");
    found.conditions = std::move(conditions);
    return found;
}

Suggestions ValuesFromTable(const std::vector<std::string>& description) {
    std::vector<std::string> values;
    for (const std::string& line : description) {
        if (line.find('|') == std::string::npos) {
            continue;
        }
        for (const std::string& cell : SplitAtEvery(line, '|')) {
            bool marked = false;
            const std::string value = NamedValue(cell, marked);
            // A cell that holds one constant and nothing else.
            if (LooksLikeConstant(value) && Trim(cell).size() <= value.size() + 8 &&
                Trim(cell).find(' ', Trim(cell).find(value)) == std::string::npos) {
                AddOnce(values, value);
                break;
            }
        }
    }
    if (values.size() < 2) {
        return {};
    }
    return Found(std::move(values), "table");
}

Suggestions ValuesFromIndexPattern(const std::vector<std::string>& description,
                                   const std::string& name) {
    // "can" holds no blank, so it stands within one line.
    if (!AnyLineHolds(description, "can")) {
        return {};
    }
    std::string text;
    for (const std::string& line : description) {
        text += line;
        text += ' ';
    }
    // Each "x can be" range with its template and the words after it.
    struct Range {
        std::string stem;
        std::vector<std::string> suffixes;
        std::string note;
    };
    std::vector<Range> ranges;
    constexpr std::string_view kCanBe = "x can be";
    for (std::size_t at = text.find(kCanBe); at != std::string::npos;
         at = text.find(kCanBe, at + 1)) {
        if (at > 0 && IsWordChar(text[at - 1])) {
            continue;
        }
        std::string stem;
        for (std::size_t i = 0; i < at;) {
            const std::string word = WordAt(text, i);
            if (word.empty()) {
                ++i;
                continue;
            }
            if (IsIndexTemplate(word)) {
                stem = word.substr(0, word.size() - 1);
            }
            i += word.size();
        }
        if (stem.empty() && IsIndexTemplate(name)) {
            stem = name.substr(0, name.size() - 1);
        }
        std::size_t end = at + kCanBe.size();
        std::vector<std::string> suffixes = IndexRange(text, end);
        if (stem.empty() || suffixes.empty()) {
            continue;
        }
        std::string note = text.substr(end);
        note = note.substr(0, std::min({note.find(" or "), note.find('.'), note.find(';')}));
        if (const std::size_t forAt = note.find("for "); forAt != std::string::npos) {
            note = note.substr(forAt);
        }
        ranges.push_back({stem, std::move(suffixes), Trim(note)});
    }
    Suggestions found;
    for (const Range& range : ranges) {
        for (const std::string& suffix : range.suffixes) {
            AddOnce(found.values, range.stem + suffix);
        }
    }
    if (found.values.empty()) {
        return found;
    }
    found.source = "index pattern";
    // With several ranges, a value that not all of them give is marked with
    // the words of those that do.
    if (ranges.size() > 1) {
        for (const std::string& value : found.values) {
            std::string note;
            bool everywhere = true;
            for (const Range& range : ranges) {
                const bool holds = std::any_of(
                    range.suffixes.begin(), range.suffixes.end(),
                    [&](const std::string& suffix) { return range.stem + suffix == value; });
                everywhere = everywhere && holds;
                if (holds && !range.note.empty()) {
                    note += (note.empty() ? "" : "; ") + range.note;
                }
            }
            found.conditions.push_back(everywhere ? std::string() : note);
        }
    }
    return found;
}

Suggestions ValuesFromReference(const std::vector<std::string>& description,
                                const LibraryDeclarations& declarations) {
    for (const Reference& reference : References(Joined(description))) {
        const std::string& name = reference.name;
        if (const DeclaredValues* values = declarations.Enum(name)) {
            return Declared(*values, "enum " + name + " in " + FileNameOf(values->file));
        }
        if (const DeclaredValues* values = declarations.Group(name)) {
            return Declared(*values, "@defgroup " + name + " in " + FileNameOf(values->file));
        }
    }
    return {};
}

Suggestions ValuesFromEnumType(const std::string& type, const LibraryDeclarations& declarations) {
    return EnumTypeValues(PlainTypeName(type), declarations);
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
    return BoolTypeValues(PlainTypeName(type));
}

Suggestions SuggestValues(const std::string& block, const std::string& name,
                          const std::string& type, const LibraryDeclarations& declarations) {
    const std::vector<std::string> description = DescriptionOfParameter(block, name);
    // A reference's tag ("@ref", "\\ref" or "::") stands within one line.
    const bool refers = AnyLineHolds(description, "ref") || AnyLineHolds(description, kScope);
    Suggestions suggestions = ValuesFromArgLines(description);
    if (suggestions.Empty()) {
        suggestions = ValuesFromBullets(description);
    }
    if (suggestions.Empty()) {
        suggestions = ValuesFromTable(description);
    }
    if (suggestions.Empty()) {
        suggestions = ValuesFromIndexPattern(description, name);
    }
    if (suggestions.Empty() && refers) {
        suggestions = ValuesFromReference(description, declarations);
    }
    const std::string plainType = PlainTypeName(type);
    if (suggestions.Empty()) {
        suggestions = EnumTypeValues(plainType, declarations);
    }
    if (suggestions.Empty()) {
        suggestions = ValuesFromRangeLine(description);
    }
    if (suggestions.Empty() && refers) {
        suggestions = ValuesFromReferenceAlternatives(description);
    }
    if (suggestions.Empty()) {
        return BoolTypeValues(plainType);
    }
    if (DescribesCombination(description) || NamesAMask(name)) {
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
