#pragma once
// Folder separators of path texts. Library paths come from the catalogue and
// may be written either way, so for them "\" always separates folders and,
// elsewhere than on Windows, "/" does as well. The program's own path comes
// from the system and uses the system's separators only.

#include <cstddef>
#include <string>

namespace quill {

// The folder separators of a library path.
#ifdef _WIN32
inline constexpr const char* kLibraryPathSeparators = "\\";
#else
inline constexpr const char* kLibraryPathSeparators = "\\/";
#endif

// Position of the last folder separator of a library path, or npos.
std::size_t LastSeparator(const std::string& path);

// Position of the last separator of the program's own path ("\" or "/" on
// Windows, "/" elsewhere), or npos.
std::size_t LastProgramPathSeparator(const std::string& path);

// `path` up to and including its last separator; "" when it has none.
std::string FolderOf(const std::string& path);

}  // namespace quill
