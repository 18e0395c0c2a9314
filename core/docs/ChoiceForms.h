#pragma once
// The forms of a parameter's choice text, and how their values are split.

#include <string>
#include <vector>

namespace quill {

enum class ChoiceForm { List, Flags, Helper, Free };

// First test that holds: "," at position 1 or later (list), "|" (flags),
// ".exe" (helper), else free.
ChoiceForm FormOf(const std::string& choiceText);

// "list", "flags", "helper" or "free".
const char* FormName(ChoiceForm form);

// Not in list form and "-" at position 1 or later: low value, "-", high value.
bool IsRangeForm(const std::string& choiceText);

// Items of a list-form text, split at every "," (empty items kept).
std::vector<std::string> ListItems(const std::string& choiceText);

// The text before the first "|" (the initial entry of a flags parameter).
std::string FirstFlag(const std::string& choiceText);

// The choice text in double quotes (the initial entry of a helper parameter).
std::string QuotedHelperText(const std::string& choiceText);

}  // namespace quill
