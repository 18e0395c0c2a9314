#include "core/text/PathText.h"

namespace quill {

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of(kLibraryPathSeparators);
}

std::size_t LastProgramPathSeparator(const std::string& path) {
#ifdef _WIN32
    return path.find_last_of("\\/");
#else
    return path.rfind('/');
#endif
}

std::string FolderOf(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace quill
