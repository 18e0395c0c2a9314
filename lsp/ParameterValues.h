#pragma once
// What Quill knows of one parameter of a catalogued function: its legal
// values in documented order, whether they combine with "|", its range.

#include <optional>
#include <string>
#include <vector>

#include "core/ChooseFunction.h"
#include "core/compose/ValueRules.h"

namespace quill::lsp {

struct ParameterValues {
    std::string name;                 // "" when the function has no such parameter
    std::vector<std::string> values;  // documented order; empty when none are known
    bool combination = false;         // values may be joined with "|"
    bool pinned = false;              // the values come from the function's own ":{...}" list
    std::optional<RangeBounds> range;
    std::string source;  // where the values came from, for people
};

// Parameter `index` (0-based) of `choice`: its ":{...}" choice text first
// (a list, flags or a range), else the values vendor documentation names.
ParameterValues ValuesOfParameter(const FunctionChoice& choice, int index);

// The number of parameters the function's record holds.
int ParameterCount(const FunctionChoice& choice);

}  // namespace quill::lsp
