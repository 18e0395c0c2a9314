#pragma once
// What the program's own path tells: its folder and its display name.

#include <string>

namespace quill {

// The folder part of an executable's path, up to and including its last
// separator ("\" or "/" on Windows, "/" elsewhere); "" when there is none.
std::string ProgramFolderOf(const std::string& executablePath);

// The executable's file name without its extension: the caption of every
// message box.
std::string DisplayNameOf(const std::string& executablePath);

}  // namespace quill
