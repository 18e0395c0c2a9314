#include "params/DocumentationParser.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "params/ChoiceForms.h"
#include "source/PrototypeLookup.h"
#include "source/TextOps.h"

namespace quill {

namespace {

std::string RemoveChars(std::string text, const char* chars) {
    std::string_view set(chars);
    text.erase(std::remove_if(text.begin(), text.end(),
                              [set](char c) { return set.find(c) != std::string_view::npos; }),
               text.end());
    return text;
}

// State carried from line to line while the documenting file is read.
struct LineState {
    bool found = false;         // the prototype line has been met
    bool continuation = false;  // an "@param" list is still open
};

// Rewrites one "@param" line so that "name:{" and "name :{" both read
// "name :{", and notes whether its brace list stays open.
std::string PrepareParamLine(const std::string& line, LineState& state) {
    std::string out = ReplaceAll(line, ":", " :");
    out = ReplaceAll(out, "\t", " ");
    out = CollapseBlanks(out);
    state.continuation = FindPos(out, "}") < 2;
    return out;
}

// "@note Run PinHelp.exe first" names PinHelp.exe; the name is what follows
// the last space before the end of ".exe". Returns "" when the line names none.
std::string HelperNameOf(const std::string& line) {
    if (FindPos(line, "@note") < 0) {
        return {};
    }
    const long exe = FindPos(line, ".exe");
    if (exe < 5) {
        return {};
    }
    const std::string head = line.substr(0, static_cast<std::size_t>(exe) + 4);
    const long space = FindLastPos(head, " ");
    return space < 0 ? head : head.substr(static_cast<std::size_t>(space) + 1);
}

// Cuts before the first ";" or "//", then after a ")" standing at 5 or later.
std::string CutLine(std::string line) {
    const std::size_t semicolon = line.find(';');
    const std::size_t slashes = line.find("//");
    const std::size_t cut = std::min(semicolon, slashes);
    if (cut != std::string::npos) {
        line.resize(cut);
    }
    const std::size_t paren = line.find(')');
    if (paren != std::string::npos && paren >= 5) {
        line.resize(paren + 1);
    }
    return line;
}

// The lines of the current block, cut but not yet normalised. Only the last
// block before the prototype line ends up in documentationText, so the lines
// of every earlier block are dropped without the cost of normalising them.
class PendingLines {
public:
    void Clear() { used_ = 0; }
    void Add(const std::string& line) {
        if (used_ == lines_.size()) {
            lines_.emplace_back();
        }
        lines_[used_++].assign(line);
    }
    std::string Normalised() const {
        std::string text;
        for (std::size_t i = 0; i < used_; ++i) {
            text += NormaliseLine(lines_[i]);
        }
        return text;
    }

private:
    std::vector<std::string> lines_;  // kept between blocks for their capacity
    std::size_t used_ = 0;
};

// Reads the lines up to the next block start after the prototype line and
// fills documentationText and helperName.
void ScanDocumentation(TextFile& file, const std::string& entry, FunctionDocumentation& doc) {
    LineState state;
    PendingLines pending;
    std::string line;
    while (ReadTextLine(file, line)) {
        const bool opener = TrimBlockOpener(line);
        if (state.found && opener) {
            break;
        }
        if (opener) {
            pending.Clear();
            doc.helperName.assign(1, '-');
        }
        if (line.find('@') != std::string::npos) {
            if (FindPos(line, "@param") >= 0) {
                line = PrepareParamLine(line, state);
            } else {
                state.continuation = false;
                std::string helper = HelperNameOf(line);
                if (!helper.empty()) {
                    doc.helperName = std::move(helper);
                }
            }
        }
        if (state.continuation) {
            // The open list goes on in the next line: join them.
            line = RemoveChars(std::move(line), "\r\n");
        }
        line = CutLine(std::move(line));
        pending.Add(line);
        if (!state.found && NormalisedLineStartsWith(line, entry)) {
            state.found = true;
        }
    }
    doc.documentationText = pending.Normalised();
}

// The prototype text up to its first ")", spaced so that "*" stands apart and
// the parameters are separated by a bare ",".
std::string SpacedPrototype(const std::string& entry) {
    const std::size_t close = entry.find(')');
    if (close == std::string::npos) {
        return {};
    }
    std::string p = entry.substr(0, close + 1);
    p = ReplaceAll(p, "*", " * ");
    p = ReplaceAll(p, "\t", " ");
    p = CollapseBlanks(p);
    p = ReplaceAll(p, " ,", ",");
    p = ReplaceAll(p, ", ", ",");
    p = ReplaceAll(p, "( ", "(");
    p = ReplaceAll(p, " (", "(");
    p = ReplaceAll(p, " )", ")");
    return p;
}

// The "@param name :{...}" entry of `name`: what stands between its braces,
// blanks removed, or "" when there is no usable entry.
std::string ChoiceTextFor(const std::string& documentationText, const std::string& name) {
    std::string key = "@param ";
    key.append(name).append(" :{");
    const long m = FindPos(documentationText, key);
    if (m < 0) {
        return {};
    }
    const std::size_t lineEnd = documentationText.find('\n', static_cast<std::size_t>(m));
    if (lineEnd == std::string::npos) {
        return {};
    }
    const std::string e =
        RemoveChars(documentationText.substr(static_cast<std::size_t>(m),
                                             lineEnd - static_cast<std::size_t>(m)),
                    "\t ");
    // A name that also occurs inside "@param" (p, a, r, m ...) is found too
    // early and never gets its entry.
    if (e.empty() || FindPos(e, name) != 6) {
        return {};
    }
    const long close = FindPos(e, "}");
    const long open = FindPos(e, "{");
    // A "}" inside the name itself can come before the list's "{".
    if (close <= 8 || open < 0 || close <= open) {
        return {};
    }
    return e.substr(static_cast<std::size_t>(open) + 1, static_cast<std::size_t>(close - open - 1));
}

void TakeParameters(std::string rest, FunctionDocumentation& doc) {
    const long close = FindPos(rest, ")");
    const long open = FindPos(rest, "(");
    if (close - open < 5 || FindPos(rest, "void") >= 0) {
        return;
    }
    for (auto& parameter : doc.parameters) {
        const std::size_t end = rest.find_first_of(",)");
        if (end == std::string::npos || end <= 3) {
            return;
        }
        const std::string typeAndName = rest.substr(0, end);
        const long space = FindLastPos(typeAndName, " ");
        if (space <= 1) {
            return;
        }
        parameter.name = typeAndName.substr(static_cast<std::size_t>(space) + 1);
        if (parameter.name.empty()) {
            return;
        }
        rest.erase(0, end + 1);
        parameter.choiceText = ChoiceTextFor(doc.documentationText, parameter.name);
        if (AtPositionOneOrLater(parameter.choiceText, ".exe")) {
            parameter.editText = QuotedHelperText(parameter.choiceText);
        }
    }
}

}  // namespace

FunctionDocumentation ParseDocumentationLines(TextFile& file, const std::string& entry,
                                              bool lookupSucceeded,
                                              const std::string& previousReturnType) {
    FunctionDocumentation doc;
    doc.functionName = entry;
    doc.returnType = previousReturnType;
    if (!lookupSucceeded) {
        return doc;
    }
    ScanDocumentation(file, entry, doc);

    const std::string prototype = SpacedPrototype(entry);
    const long open = FindPos(prototype, "(");
    const std::string head =
        open < 0 ? std::string() : prototype.substr(0, static_cast<std::size_t>(open));
    const long space = FindLastPos(head, " ");
    doc.returnType = space < 0 ? std::string() : head.substr(0, static_cast<std::size_t>(space));
    doc.functionName = space < 0 ? head : head.substr(static_cast<std::size_t>(space) + 1);

    TakeParameters(open < 0 ? prototype : prototype.substr(static_cast<std::size_t>(open) + 1),
                   doc);

    doc.parameterCount = 0;
    for (int k = 0; k < kMaxParameters; ++k) {
        if (!doc.parameters[k].name.empty()) {
            doc.parameterCount = k + 1;
        }
    }
    return doc;
}

DocumentationParse ParseFunctionDocumentation(const std::string& path, const std::string& entry,
                                              bool lookupSucceeded,
                                              const std::string& previousReturnType) {
    DocumentationParse result;
    TextFile file;
    result.fileOpened = file.Open(path);
    if (!result.fileOpened) {
        result.documentation.functionName = entry;
        result.documentation.returnType = previousReturnType;
        return result;
    }
    result.documentation =
        ParseDocumentationLines(file, entry, lookupSucceeded, previousReturnType);
    return result;
}

}  // namespace quill
