#include "core/settings/ProgramPaths.h"

#include "core/text/PathText.h"

namespace quill {

std::string ProgramFolderOf(const std::string& executablePath) {
    const std::size_t last = LastProgramPathSeparator(executablePath);
    return last == std::string::npos ? std::string() : executablePath.substr(0, last + 1);
}

std::string DisplayNameOf(const std::string& executablePath) {
    const std::size_t last = LastProgramPathSeparator(executablePath);
    std::string name = last == std::string::npos ? executablePath : executablePath.substr(last + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

}  // namespace quill
