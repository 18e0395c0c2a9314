#pragma once
// Where the program and its files are, worked out once at start-up.

#include <string>

namespace quill {

struct AppPaths {
    std::string appFolder;      // program folder in lower case, ending with a separator
    std::string programFolder;  // program folder as it really is, ending with a separator
    std::string settingsFile;   // full path of "Quill.ini"
    std::string displayName;    // caption of every message box
};

}  // namespace quill
