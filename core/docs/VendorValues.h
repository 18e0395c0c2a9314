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

    bool Empty() const { return values.empty(); }
};

// "one-of" or "combination".
const char* SuggestionKindName(SuggestionKind kind);

// One line for people on where suggested values came from and how they
// combine: "Values from @arg lines." / "Values from enum t in a.h, any
// combination joined with |." ("" when nothing is suggested).
std::string SuggestionNote(const Suggestions& suggestions);

// The description of parameter `name` in a documentation block: the text
// after its "@param"/"@param[in]"/"\param" tag and every line after it up to
// the next tag or the end of the comment, comment leaders removed.
std::vector<std::string> DescriptionOfParameter(const std::string& block, const std::string& name);

// The type text of each parameter of a function entry, in order: "const
// gpio_dir_t" for "const gpio_dir_t dir", "uint8_t *" for "uint8_t *pBuf".
std::vector<std::string> ParameterTypes(const std::string& entry);

// True when a description makes its values combinable: it speaks of a
// "combination", a "mask", a "logical OR" or an "OR of" them.
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

// The first convention that finds values for one parameter, with its kind.
Suggestions SuggestValues(const std::string& block, const std::string& name,
                          const std::string& type, const LibraryDeclarations& declarations);

// Suggestions for each parameter of a parsed function that has a name and
// no choice text; the others get none. One for each entry of its parameters.
std::vector<Suggestions> SuggestForFunction(const FunctionDocumentation& documentation,
                                            const std::string& block, const std::string& entry,
                                            const LibraryDeclarations& declarations);

}  // namespace quill
