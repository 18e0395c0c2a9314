#pragma once
// What Copy warns about before it places the call text: values outside their
// documented range and helper fields that still hold the helper's name. The
// warnings explain; the text is placed all the same.

#include <string>
#include <vector>

namespace quill {

struct EnteredValue {
    std::string name;        // the parameter's name
    std::string choiceText;  // its documented choices
    std::string editText;    // what its entry field holds
};

// One warning per value, in parameter order.
std::vector<std::string> CopyWarnings(const std::vector<EnteredValue>& entries);

}  // namespace quill
