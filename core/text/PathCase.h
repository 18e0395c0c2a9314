#pragma once

#include <string>

namespace quill {

// On a file system that distinguishes case, finds the existing path whose
// folder and file names equal those of `path` ignoring ASCII case (an exact
// match wins). Returns `path` unchanged when nothing matches, and always on
// Windows.
std::string ResolvePathIgnoringCase(const std::string& path);

}  // namespace quill
