#include "source/VendorLookup.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "source/PathCase.h"
#include "source/PathText.h"
#include "source/PrototypeLookup.h"
#include "source/TextOps.h"

namespace quill {

namespace {

namespace fs = std::filesystem;

// A path split at its last separator: "" folder when there is none.
struct PathParts {
    std::string folder;
    std::string name;
    char separator = '/';
};

PathParts SplitPath(const std::string& path) {
    PathParts parts;
    const std::size_t at = LastSeparator(path);
    if (at == std::string::npos) {
        parts.name = path;
        return parts;
    }
    parts.folder = path.substr(0, at);
    parts.name = path.substr(at + 1);
    parts.separator = path[at];
    return parts;
}

// The source folders inside `folder` ("" for the current one), in byte order.
std::vector<std::string> SourceFoldersIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder.empty() ? "." : folder), ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (IsSourceFolderName(name) && it->is_directory(typeError)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Joined(const std::string& folder, char separator, const std::string& name) {
    return folder.empty() ? name : folder + separator + name;
}

// Every source folder beside `includeFolder` with `relative` appended.
void AddBeside(const PathParts& includeFolder, const std::string& relative,
               std::vector<std::string>& paths) {
    for (const std::string& source : SourceFoldersIn(includeFolder.folder)) {
        const std::string sourceFolder =
            Joined(includeFolder.folder, includeFolder.separator, source);
        paths.push_back(
            ResolvePathIgnoringCase(Joined(sourceFolder, includeFolder.separator, relative)));
    }
}

}  // namespace

bool IsIncludeFolderName(const std::string& name) {
    return EqualsIgnoringCase(name, "inc") || EqualsIgnoringCase(name, "include");
}

bool IsSourceFolderName(const std::string& name) {
    return EqualsIgnoringCase(name, "src") || EqualsIgnoringCase(name, "source");
}

std::vector<std::string> SiblingSourcePaths(const std::string& documentingPath) {
    std::vector<std::string> paths;
    const PathParts file = SplitPath(documentingPath);
    if (file.folder.empty() || file.name.empty()) {
        return paths;
    }
    const PathParts folder = SplitPath(file.folder);
    if (IsIncludeFolderName(folder.name)) {
        AddBeside(folder, file.name, paths);
    }
    if (!folder.folder.empty()) {
        const PathParts parent = SplitPath(folder.folder);
        if (IsIncludeFolderName(parent.name)) {
            AddBeside(parent, folder.name + folder.separator + file.name, paths);
            AddBeside(parent, file.name, paths);
        }
    }
    return paths;
}

bool BlockStandsBeforePrototype(const std::string& collected, const std::string& entry) {
    std::string first = collected.substr(0, collected.find('\n'));
    if (!TrimBlockOpener(first)) {
        return false;
    }
    // The function's line: the first whose normalised copy begins with the entry.
    std::size_t lineStart = 0;
    while (lineStart < collected.size()) {
        std::size_t lineEnd = collected.find('\n', lineStart);
        lineEnd = lineEnd == std::string::npos ? collected.size() : lineEnd + 1;
        if (NormalisedLineStartsWith(collected.substr(lineStart, lineEnd - lineStart), entry)) {
            break;
        }
        lineStart = lineEnd;
    }
    if (lineStart == 0 || lineStart >= collected.size()) {
        return false;
    }
    // Before it: the block's own comment and nothing else but blank lines.
    const std::string before = collected.substr(0, lineStart);
    const std::size_t close = before.find("*/");
    return close != std::string::npos &&
           before.find_first_not_of(" \t\r\n", close + 2) == std::string::npos;
}

}  // namespace quill
