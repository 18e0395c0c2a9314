#pragma once
// The text the source view shows for a whole library file.

#include <string>

namespace quill {

struct LibrarySource {
    bool opened = false;
    std::string text;  // every line as ReadTextLine delivers it, tabs expanded
};

LibrarySource ReadLibrarySource(const std::string& libraryPath);

// Whether ReadLibrarySource can open the file, found without reading it.
bool LibrarySourceOpens(const std::string& libraryPath);

}  // namespace quill
