#pragma once
// Finding a function entry by a piece of its name, as the user types it into
// the function list: letter case does not count, and the return type and
// parameters are not searched. The names are prepared once per list, so a
// keystroke only compares.

#include <string>
#include <string_view>
#include <vector>

namespace quill {

// The name parts of `entries` (FunctionNamePart) in ASCII lower case, in the
// same order; an entry without a name part is searched whole.
std::vector<std::string> SearchableNames(const std::vector<std::string>& entries);

// Index of the name that best matches `typed`: of those that contain it
// ignoring case, the shortest, then the one where it starts first, then the
// first in list order. -1 when `typed` is empty or no name contains it.
long BestNameMatch(const std::vector<std::string>& names, std::string_view typed);

// Index of the next name after `from` (the previous one before it when
// `forward` is false) that contains `typed` ignoring case, going round the
// end of the list, `from` itself last; -1 when none does.
long NextNameMatch(const std::vector<std::string>& names, std::string_view typed, long from,
                   bool forward);

}  // namespace quill
