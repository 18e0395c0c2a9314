#pragma once
// The parsed documentation of the chosen function.

#include <array>
#include <string>

#include "core/text/NoText.h"

namespace quill {

struct ParameterDescription {
    std::string name;        // from the prototype; "" when the slot is not in use
    std::string choiceText;  // between "{" and "}" of its "@param" entry, blanks removed
    std::string editText;    // initial text of its entry field
};

constexpr int kMaxParameters = 4;

struct FunctionDocumentation {
    std::string functionName;
    std::string returnType;
    int parameterCount = 0;
    std::array<ParameterDescription, kMaxParameters> parameters;
    std::string helperName{kNoText};  // kNoText: none
    std::string documentationText;
};

}  // namespace quill
