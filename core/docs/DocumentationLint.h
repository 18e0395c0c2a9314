#pragma once
// Near misses in a function's documentation block: "@param" entries that the
// documentation parser reads differently from what their author meant,
// usually so that the parameter silently falls back to a free entry field.
// Library authors see them through `quill-cli lint`.

#include <cstddef>
#include <string>
#include <vector>

#include "core/docs/FunctionDocumentation.h"

namespace quill {

enum class LintRule {
    BlankAfterColon,      // "@param iMode : {A,B}"
    MissingColon,         // "@param iMode {A,B}"
    UnknownName,          // "@param" for a name that no parameter of the function has
    ListCut,              // ")" ";" or "//" inside the braces ends the line early
    NameInsideKeyword,    // a name such as p, a, r or m, found inside "@param" itself
    ListNotClosed,        // no "}" before the next "@" line
    ListNeverEnded,       // a list over several lines with no "@" line after it
    EntryNotRead,         // any other entry with a list that gave no choice text
    NoBlankAfterKeyword,  // "@param[in] iMode :{A,B}"
    BackslashKeyword,     // "\param iMode :{A,B}"
    UnsafeHelperName,     // a helper program name with a folder, ".." or shell characters
};

// A short stable name for the rule ("blank-after-colon", ...).
const char* LintRuleName(LintRule rule);

struct LintWarning {
    LintRule rule;
    std::string name;      // the parameter the entry names ("" when it names none)
    std::string message;   // one line for the user
    std::string lineText;  // the block line, without its line end
};

// What makes `name` unfit as the file name of a helper program, which is run
// from the library's folder: a folder separator, "..", a character a command
// interpreter would act on, or a control byte. "" when nothing does.
std::string HelperNameProblem(const std::string& name);

// Every near miss of one function. `blockText` is the text the prototype
// lookup collected for it; `documentation` is what the parser made of the
// same block.
std::vector<LintWarning> LintDocumentation(const std::string& blockText,
                                           const FunctionDocumentation& documentation);

}  // namespace quill
