#include "core/docs/DocumentationLint.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/docs/ChoiceForms.h"
#include "core/text/DocumentationRules.h"
#include "core/text/TextOps.h"

namespace quill {

namespace {

// The lines of a block are views into its text.
using Lines = std::vector<std::string_view>;

// Length of `line` without its trailing CR and LF bytes.
std::size_t ContentLength(std::string_view line) {
    std::size_t n = line.size();
    while (n > 0 && IsLineEnd(line[n - 1])) {
        --n;
    }
    return n;
}

std::string_view Content(std::string_view line) {
    return line.substr(0, ContentLength(line));
}

std::string WithoutLineEnd(std::string_view line) {
    return std::string(Content(line));
}

bool HasNonBlank(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return !IsBlank(c); });
}

// The mark at which the parser cuts `line` before position `end`, or "".
std::string CutMarkBefore(std::string_view line, std::size_t end) {
    const LineCut cut = ParserCut(line);
    return cut.at < end ? cut.mark : std::string();
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string JoinNames(const FunctionDocumentation& documentation) {
    std::string names;
    for (int k = 0; k < documentation.parameterCount; ++k) {
        if (!names.empty()) {
            names += ", ";
        }
        names += documentation.parameters[k].name;
    }
    return names;
}

// Index of the parameter called `name`, or -1.
int ParameterIndex(const FunctionDocumentation& documentation, std::string_view name) {
    for (int k = 0; k < documentation.parameterCount; ++k) {
        if (documentation.parameters[k].name == name) {
            return k;
        }
    }
    return -1;
}

// How a list that stays open on its "@param" line goes on in the lines below.
struct OpenList {
    bool closed = false;  // a "}" comes before the next line holding "@"
    bool ended = false;   // a line holding "@" follows, so the joined entry ends
};

OpenList FollowOpenList(const Lines& lines, std::size_t paramLine) {
    OpenList list;
    for (std::size_t j = paramLine + 1; j < lines.size(); ++j) {
        const std::size_t at = lines[j].find('@');
        const bool hasAt = at != std::string_view::npos;
        // A "}" after an "@" on the same line closes a list that has already
        // taken in that "@" text.
        if (lines[j].find('}') < at) {
            list.closed = true;
            list.ended = hasAt;
            for (std::size_t after = j + 1; after < lines.size() && !list.ended; ++after) {
                list.ended = lines[after].find('@') != std::string_view::npos;
            }
            return list;
        }
        if (hasAt) {
            list.ended = true;
            return list;
        }
    }
    return list;
}

// The name after a backslash keyword "\param", if the line has a list and
// no "@param".
std::optional<std::string> BackslashEntryName(std::string_view line) {
    // Only a line with a backslash can hold "\param".
    if (line.find('\\') == std::string_view::npos ||
        line.find(kParamKeyword) != std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<ParamLine> entry = ReadParamLine(Content(line), kBackslashParamKeyword);
    if (!entry || !entry->blankAfterKeyword || !entry->HasList()) {
        return std::nullopt;
    }
    return std::string(entry->name);
}

// The first line of `lines` that holds `text`, without its line end.
std::string LineHolding(const Lines& lines, const std::string& text) {
    for (const std::string_view line : lines) {
        if (line.find(text) != std::string_view::npos) {
            return WithoutLineEnd(line);
        }
    }
    return {};
}

// Helper programs named by parameter entries and by "@note" whose names
// would not name one file in the library's folder.
void LintHelperNames(const Lines& lines, const FunctionDocumentation& documentation,
                     std::vector<LintWarning>& warnings) {
    auto check = [&](const std::string& helper, const std::string& owner) {
        const std::string problem = HelperNameProblem(helper);
        if (!problem.empty()) {
            warnings.push_back({LintRule::UnsafeHelperName, owner,
                                "helper program " + Quoted(helper) + " holds " + problem +
                                    ": only a file of exactly that name in the library's "
                                    "folder is run",
                                LineHolding(lines, helper)});
        }
    };
    for (int k = 0; k < documentation.parameterCount; ++k) {
        const ParameterDescription& parameter = documentation.parameters[k];
        // Only a text holding ".exe" can name a helper.
        if (parameter.choiceText.find(".exe") != std::string::npos &&
            FormOf(parameter.choiceText) == ChoiceForm::Helper) {
            check(parameter.choiceText, parameter.name);
        }
    }
    if (documentation.helperName != kNoText) {
        check(documentation.helperName, "");
    }
}

}  // namespace

std::string HelperNameProblem(const std::string& name) {
    if (name.find_first_of("\\/") != std::string::npos) {
        return "a folder separator";
    }
    if (name.find("..") != std::string::npos) {
        return Quoted("..");
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return "a control character";
        }
    }
    const std::size_t shell = name.find_first_of("&|;<>()$`^\"'*?%!~[]{}");
    if (shell != std::string::npos) {
        return Quoted(name.substr(shell, 1));
    }
    return {};
}

const char* LintRuleName(LintRule rule) {
    switch (rule) {
        case LintRule::BlankAfterColon:
            return "blank-after-colon";
        case LintRule::MissingColon:
            return "missing-colon";
        case LintRule::UnknownName:
            return "unknown-name";
        case LintRule::ListCut:
            return "list-cut";
        case LintRule::NameInsideKeyword:
            return "name-inside-keyword";
        case LintRule::ListNotClosed:
            return "list-not-closed";
        case LintRule::ListNeverEnded:
            return "list-never-ended";
        case LintRule::EntryNotRead:
            return "entry-not-read";
        case LintRule::NoBlankAfterKeyword:
            return "no-blank-after-keyword";
        case LintRule::BackslashKeyword:
            return "backslash-keyword";
        case LintRule::UnsafeHelperName:
            return "unsafe-helper-name";
    }
    return "unknown";
}

namespace {

// True when `line` holds no ")", ";" or "/" and no "{" after its last "}".
bool ReadWhole(std::string_view line) {
    if (line.find(')') != std::string_view::npos || line.find(';') != std::string_view::npos ||
        line.find('/') != std::string_view::npos) {
        return false;
    }
    const std::size_t lastOpen = line.rfind('{');
    return lastOpen == std::string_view::npos || line.find('}', lastOpen) != std::string_view::npos;
}

// The mark (")", ";" or "//") at which the parser cuts a line of the choice
// list that starts on lines[paramLine], before the list's "}"; "" when the
// list is read whole. Continuation lines are followed up to the first "}" or
// the next line holding "@".
std::string ListCutMark(const Lines& lines, std::size_t paramLine) {
    if (paramLine >= lines.size()) {
        return {};
    }
    // Rewriting moves no brace and makes no mark: a line without marks
    // whose every "{" has a "}" after it is read whole.
    if (ReadWhole(Content(lines[paramLine]))) {
        return {};
    }
    const std::string first = RewriteParamLine(lines[paramLine]);
    const std::optional<ParamLine> entry = ReadParamLine(Content(first));
    if (!entry || !entry->HasList()) {
        return {};
    }
    std::string mark =
        CutMarkBefore(first, entry->ListClosed() ? entry->listEnd : ContentLength(first));
    if (!mark.empty() || entry->ListClosed()) {
        return mark;
    }
    // The list goes on: the parser cuts each joined line on its own.
    for (std::size_t j = paramLine + 1; j < lines.size(); ++j) {
        const std::string_view line = lines[j];
        if (line.find('@') != std::string_view::npos) {
            return {};
        }
        const std::size_t close = line.find('}');
        mark = CutMarkBefore(line, close == std::string_view::npos ? ContentLength(line) : close);
        if (!mark.empty() || close != std::string_view::npos) {
            return mark;
        }
    }
    return {};
}

// Enough for most blocks, so that splitting one allocates once.
constexpr std::size_t kUsualBlockLines = 16;

// The lines of a text, each with its line end ("\n"); a last line without one
// is kept as it is.
Lines SplitLines(std::string_view text) {
    Lines lines;
    lines.reserve(kUsualBlockLines);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

// What one rule finds on one line.
struct Finding {
    LintRule rule;
    std::string name;
    std::string message;
};
using MaybeFinding = std::optional<Finding>;

MaybeFinding BackslashKeyword(std::string_view line) {
    const std::optional<std::string> name = BackslashEntryName(line);
    if (!name) {
        return std::nullopt;
    }
    return Finding{
        LintRule::BackslashKeyword, *name,
        "\"\\param\" is not read, only \"@param\": the list of " + Quoted(*name) + " is ignored"};
}

MaybeFinding NoBlankAfterKeyword(const ParamLine& entry) {
    if (!entry.HasList()) {
        return std::nullopt;
    }
    return Finding{LintRule::NoBlankAfterKeyword, "",
                   "\"@param\" must be followed by a blank and the parameter name: this list is "
                   "ignored"};
}

MaybeFinding UnknownName(const std::string& name, const FunctionDocumentation& documentation) {
    std::string message =
        name.empty() ? "\"@param\" names no parameter"
                     : Quoted("@param " + name) + " matches none of the function's parameter slots";
    const std::string names = JoinNames(documentation);
    message += names.empty() ? " (it has none)" : " (" + names + ")";
    return Finding{LintRule::UnknownName, name, std::move(message)};
}

MaybeFinding NameInsideKeyword(const std::string& name) {
    if (ParamNameCanMatch(name)) {
        return std::nullopt;
    }
    return Finding{LintRule::NameInsideKeyword, name,
                   "parameter " + Quoted(name) +
                       " can never get its list: the name occurs inside \"@param\" itself "
                       "(rename it; one-letter names such as a, p, r or m never match)"};
}

MaybeFinding ListCut(const Lines& lines, std::size_t i, const std::string& name) {
    const std::string mark = ListCutMark(lines, i);
    if (mark.empty()) {
        return std::nullopt;
    }
    return Finding{LintRule::ListCut, name,
                   "the list of " + Quoted(name) + " is cut at " + Quoted(mark) +
                       ": the line ends there for the parser"};
}

MaybeFinding OpenListLost(const Lines& lines, std::size_t i, const std::string& name) {
    // The line holds "@param": whether its list stays open after it does not
    // depend on the lines before.
    if (!ListOpenAfter(lines[i], false)) {
        return std::nullopt;
    }
    const OpenList list = FollowOpenList(lines, i);
    if (!list.closed) {
        return Finding{
            LintRule::ListNotClosed, name,
            "the list of " + Quoted(name) + " has no closing \"}\" before the next \"@\" line"};
    }
    if (!list.ended) {
        return Finding{LintRule::ListNeverEnded, name,
                       "the list of " + Quoted(name) +
                           " runs over several lines and no \"@\" line follows it in the block, "
                           "so it is ignored (add one, \"@return\" for example, after it)"};
    }
    return std::nullopt;
}

// An entry with a list that still gave no choice text: why.
MaybeFinding ListNotRead(const ParamLine& entry) {
    const std::string name(entry.name);
    const std::size_t colon = entry.beforeList.find(':');
    const bool colonBeforeList = colon != std::string_view::npos;
    // Only blanks, at least one, between ":" and "{".
    const bool blankAfterColon = colonBeforeList && colon + 1 < entry.beforeList.size() &&
                                 !HasNonBlank(entry.beforeList.substr(colon + 1));
    if (blankAfterColon) {
        return Finding{LintRule::BlankAfterColon, name,
                       "blank between \":\" and \"{\" in the entry of " + Quoted(name) +
                           ": its list is ignored (write " + Quoted(name + " :{") + ")"};
    }
    if (!colonBeforeList) {
        return Finding{LintRule::MissingColon, name,
                       "no \":\" before \"{\" in the entry of " + Quoted(name) +
                           ": its list is ignored (write " + Quoted(name + " :{") + ")"};
    }
    if (entry.ListClosed() && !HasNonBlank(entry.listText)) {
        return Finding{LintRule::EntryNotRead, name, "the list of " + Quoted(name) + " is empty"};
    }
    return Finding{LintRule::EntryNotRead, name,
                   "the list of " + Quoted(name) + " is not read (write " +
                       Quoted("@param " + name + " :{A,B}") +
                       " with nothing else between the name and \"{\")"};
}

// The first rule that finds something in the "@param" entry of line i.
MaybeFinding CheckEntry(const Lines& lines, std::size_t i, const ParamLine& entry,
                        const FunctionDocumentation& documentation) {
    if (!entry.blankAfterKeyword) {
        return NoBlankAfterKeyword(entry);
    }
    const int k = ParameterIndex(documentation, entry.name);
    if (k < 0) {
        return UnknownName(std::string(entry.name), documentation);
    }
    if (!entry.HasList()) {
        return std::nullopt;
    }
    // The rules in order; the first that finds something is reported.
    const std::string& name = documentation.parameters[k].name;
    if (MaybeFinding finding = NameInsideKeyword(name)) {
        return finding;
    }
    if (MaybeFinding finding = ListCut(lines, i, name)) {
        return finding;
    }
    if (MaybeFinding finding = OpenListLost(lines, i, name)) {
        return finding;
    }
    if (!documentation.parameters[k].choiceText.empty()) {
        return std::nullopt;
    }
    return ListNotRead(entry);
}

}  // namespace

std::vector<LintWarning> LintDocumentation(const std::string& blockText,
                                           const FunctionDocumentation& documentation) {
    std::vector<LintWarning> warnings;
    const Lines lines = SplitLines(blockText);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        MaybeFinding finding = BackslashKeyword(lines[i]);
        if (!finding) {
            const std::optional<ParamLine> entry = ReadParamLine(Content(lines[i]));
            if (entry) {
                finding = CheckEntry(lines, i, *entry, documentation);
            }
        }
        if (finding) {
            warnings.push_back({finding->rule, std::move(finding->name),
                                std::move(finding->message), WithoutLineEnd(lines[i])});
        }
    }
    LintHelperNames(lines, documentation, warnings);
    return warnings;
}

}  // namespace quill
