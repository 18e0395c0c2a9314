#pragma once
// Legal values of a parameter as vendor libraries document them, offered as
// suggestions where the "@param name :{...}" entries give no choice text.
// Each convention is one function over the parameter's description (the
// lines from its "@param" tag up to the next tag), its type and the
// library's declarations; the first that finds values wins.

#include <array>
#include <string>
#include <vector>

#include "core/docs/FunctionDocumentation.h"
#include "core/library/LibraryDeclarations.h"

namespace quill {

enum class SuggestionKind { OneOf, Combination };

struct Suggestions {
    std::vector<std::string> values;  // empty: nothing suggested
    SuggestionKind kind = SuggestionKind::OneOf;
    std::string source;  // where the values came from, for people
    // Beside each value, when it exists only on some chips or builds: what
    // the documentation or the preprocessor says of them ("" for every one;
    // may be shorter than `values`).
    std::vector<std::string> conditions;

    bool Empty() const { return values.empty(); }
    // The condition of value `k`, "" when it holds everywhere.
    std::string ConditionOf(std::size_t k) const {
        return k < conditions.size() ? conditions[k] : std::string();
    }
};

// Value `k` as a list shows it: the value, then "  [only: condition]" when
// it exists only on some chips.
std::string MarkedValue(const Suggestions& suggestions, std::size_t k);

// "one-of" or "combination".
const char* SuggestionKindName(SuggestionKind kind);

// One line for people on where suggested values came from and how they
// combine: "Values from @arg lines." / "Values from enum t in a.h, any
// combination joined with |." ("" when nothing is suggested), then the
// values that exist on some chips only: " Only on some chips: A (cond).".
std::string SuggestionNote(const Suggestions& suggestions);

// The description of parameter `name` in a documentation block: the text
// after its "@param"/"@param[in]"/"\param" tag and its continuation lines,
// up to the next tag, the end of the comment or a blank line (a blank line
// after a line ending in ":" leads to the list or table it announces),
// comment leaders removed. The paragraph after the last tag is not part of it.
std::vector<std::string> DescriptionOfParameter(const std::string& block, const std::string& name);

// The type text of each parameter of a function entry, in order: "const
// gpio_dir_t" for "const gpio_dir_t dir", "uint8_t *" for "uint8_t *pBuf".
std::vector<std::string> ParameterTypes(const std::string& entry);

// True when a description makes its values combinable: it speaks of a
// "combination", a "mask" or "bitmask", a "logical OR", an "OR of" them, or
// of values "ORed" / "OR-ed".
bool DescribesCombination(const std::vector<std::string>& description);

// The conventions, one each. `description` as DescriptionOfParameter gives it.
Suggestions ValuesFromArgLines(const std::vector<std::string>& description);
Suggestions ValuesFromBullets(const std::vector<std::string>& description);
Suggestions ValuesFromReference(const std::vector<std::string>& description,
                                const LibraryDeclarations& declarations);
Suggestions ValuesFromEnumType(const std::string& type, const LibraryDeclarations& declarations);
Suggestions ValuesFromRangeLine(const std::vector<std::string>& description);
Suggestions ValuesFromReferenceAlternatives(const std::vector<std::string>& description);
Suggestions ValuesFromBoolType(const std::string& type);
// Rows of a table ("0 | NAME_A | meaning") whose cell names a constant.
Suggestions ValuesFromTable(const std::vector<std::string>& description);
// "NAME_x where x can be (0..15)", "x can be (A..K)" for a parameter named
// like "GPIOx": NAME_0 .. NAME_15. Values that only some of several ranges
// give are marked with the text that follows their range.
Suggestions ValuesFromIndexPattern(const std::vector<std::string>& description,
                                   const std::string& name);

// The first convention that finds values for one parameter, with its kind.
Suggestions SuggestValues(const std::string& block, const std::string& name,
                          const std::string& type, const LibraryDeclarations& declarations);

// Suggestions for each parameter of a parsed function that has a name and
// no choice text; the others get none. One for each entry of its parameters.
std::vector<Suggestions> SuggestForFunction(const FunctionDocumentation& documentation,
                                            const std::string& block, const std::string& entry,
                                            const LibraryDeclarations& declarations);

}  // namespace quill
