#pragma once
// The text that stands for "none" where a text is expected: the block of a
// lookup that found no documentation, and the helper program (its name and
// its path) of a function that has none.

#include <string_view>

namespace quill {

inline constexpr std::string_view kNoText = "-";

}  // namespace quill
