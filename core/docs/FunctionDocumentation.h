#pragma once
// The parsed documentation of the chosen function.

#include <string>
#include <vector>

#include "core/text/NoText.h"

namespace quill {

struct ParameterDescription {
    std::string name;        // from the prototype; "" when the slot is not in use
    std::string choiceText;  // between "{" and "}" of its "@param" entry, blanks removed
    std::string editText;    // initial text of its entry field
};

// The slots of the first parameter row. Every record holds at least these,
// named or not, so that the first four may be read without a count; a
// function with more parameters has one more entry for each.
constexpr int kMaxParameters = 4;

struct FunctionDocumentation {
    std::string functionName;
    std::string returnType;
    int parameterCount = 0;  // the named entries of `parameters`, which come first
    std::vector<ParameterDescription> parameters =
        std::vector<ParameterDescription>(kMaxParameters);
    std::string helperName{kNoText};  // kNoText: none
    std::string documentationText;
};

}  // namespace quill
