#pragma once
// Folder separators of path texts. "\" always separates folders; elsewhere
// than on Windows the platform's "/" does as well.

#include <cstddef>
#include <string>

namespace quill {

// Position of the last folder separator of `path`, or npos.
std::size_t LastSeparator(const std::string& path);

// `path` up to and including its last separator; "" when it has none.
std::string FolderOf(const std::string& path);

}  // namespace quill
