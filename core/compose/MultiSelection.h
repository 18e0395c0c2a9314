#pragma once
// The multi-selection list of a parameter that takes a combination of values:
// its items, which of them start selected, and the value the picks make.

#include <cstddef>
#include <string>
#include <vector>

#include "core/compose/SlotGeometry.h"

namespace quill {

// Selected items read when a list closes: the lowest positions first.
constexpr std::size_t kMaxSelectedItems = 32;

// Items of a choice text: every "|" ends one item, so "A|B|" gives A, B and an
// empty last item, and "A||B" an empty middle one. An empty text gives one
// empty item.
std::vector<std::string> SplitChoices(const std::string& choiceText);

// The texts of the selected items (positions into `items`, in any order,
// repeats and positions past the end ignored), at most the kMaxSelectedItems
// lowest, in list order, joined with "|". An empty item adds a "|" only when
// some text came before it.
std::string JoinSelection(const std::vector<std::string>& items,
                          const std::vector<int>& selectedPositions);

// JoinSelection, then the "|"-separated parts of the `typed` value that no
// list item begins (ignoring ASCII case, as FindPreselection matches them):
// a variable or a constant the list does not hold stays in the value.
std::string JoinSelectionKeepingTyped(const std::vector<std::string>& items,
                                      const std::vector<int>& selectedPositions,
                                      const std::string& typed);

// The positions to select when the list opens with `value`: for each of its
// "|"-separated parts, the first item from the top that begins with the part,
// ignoring ASCII case. Empty parts and parts that begin no item select
// nothing. Ascending, without repeats.
std::vector<int> FindPreselection(const std::vector<std::string>& items, const std::string& value);

// Where the open list of parameter k (1 and up) goes: directly under the
// parameter's selector, as wide as it, reaching down to the bottom of the
// window (7 x selectorY / 38 high; a window with more rows is that much taller).
SlotRect SelectionListRect(const RowMetrics& row, const SlotSizes& sizes, int k);

}  // namespace quill
