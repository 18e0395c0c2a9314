#include "core/library/DeclarationTree.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <system_error>
#include <vector>

#include "core/text/TextOps.h"

namespace quill {

namespace {

namespace fs = std::filesystem;

constexpr int kLevelsAboveNamespacedInclude = 2;

bool IsIncludeFolderName(const std::string& name) {
    const std::string lower = ToLowerAscii(name);
    return lower == "inc" || lower == "include";
}

// Folders of a tree that hold no library declarations worth the time.
bool IsSkippedFolder(const std::string& name) {
    if (name.empty() || name[0] == '.') {
        return true;
    }
    const std::string lower = ToLowerAscii(name);
    for (const char* skipped : {"doc", "docs", "test", "tests", "example", "examples", "projects",
                                "build", "node_modules"}) {
        if (lower == skipped) {
            return true;
        }
    }
    return false;
}

// A tree root never lies above a repository's root, nor is it the home
// folder, a folder above it or a folder right under the file system's root.
bool IsFarEnough(const fs::path& folder) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder, error);
    if (error || std::distance(absolute.begin(), absolute.end()) < 3) {
        return false;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        const fs::path homePath = fs::path(home).lexically_normal();
        const fs::path relative = homePath.lexically_relative(absolute.lexically_normal());
        if (!relative.empty() && *relative.begin() != "..") {
            return false;  // the home folder or one above it
        }
    }
    return true;
}

// A repository's root: the tree never grows above it.
bool IsRepositoryRoot(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder / ".git", error) || fs::exists(folder / ".hg", error);
}

bool IsHeaderName(const fs::path& path) {
    const std::string extension = ToLowerAscii(path.extension().string());
    return extension == ".h" || extension == ".hpp";
}

// Reads the headers under `folder` (not under `done`, read already) in
// name order, folder by folder, until the limits are reached.
void ReadHeadersUnder(const fs::path& folder, const fs::path& done, LibraryDeclarations& into,
                      const DeclarationTreeLimits& limits, std::size_t& files, std::size_t& bytes) {
    std::vector<fs::path> pending{folder};
    while (!pending.empty() && files < limits.maxFiles && bytes < limits.maxBytes) {
        const fs::path current = pending.front();
        pending.erase(pending.begin());
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(current, error), end; !error && it != end;
             it.increment(error)) {
            entries.push_back(*it);
        }
        std::sort(entries.begin(), entries.end());
        for (const fs::directory_entry& entry : entries) {
            std::error_code statError;
            if (entry.is_directory(statError) && !entry.is_symlink(statError)) {
                if (entry.path() != done && !IsSkippedFolder(entry.path().filename().string())) {
                    pending.push_back(entry.path());
                }
                continue;
            }
            if (!entry.is_regular_file(statError) || !IsHeaderName(entry.path())) {
                continue;
            }
            const std::uintmax_t size = entry.file_size(statError);
            if (statError || files >= limits.maxFiles || bytes + size > limits.maxBytes) {
                continue;
            }
            ++files;
            bytes += static_cast<std::size_t>(size);
            into.AddFile(entry.path().string());
        }
    }
}

// The programs ask from one thread only (the window's, or the server loop).
struct TreeCache {
    std::map<std::string, std::shared_ptr<const LibraryDeclarations>> trees;
};

TreeCache& Cache() {
    static TreeCache cache;
    return cache;
}

}  // namespace

std::string DeclarationTreeRoot(const std::string& libraryPath) {
    const fs::path folder = fs::path(libraryPath).parent_path();
    if (folder.empty()) {
        return {};
    }
    // "Inc/x.h": the driver folder; "include/ns/x.h": the SDK's source folder,
    // whose parts keep their headers in include folders of their own;
    // neither: the header's own folder.
    fs::path root = folder;
    fs::path walk = folder;
    for (int up = 0; up < 4 && walk.has_relative_path(); ++up) {
        if (IsIncludeFolderName(walk.filename().string())) {
            root = walk.parent_path();
            for (int level = 0; up > 0 && level < kLevelsAboveNamespacedInclude; ++level) {
                if (IsRepositoryRoot(root) || !IsFarEnough(root.parent_path())) {
                    break;
                }
                root = root.parent_path();
            }
            break;
        }
        walk = walk.parent_path();
    }
    return (IsFarEnough(root) ? root : folder).string();
}

std::shared_ptr<const LibraryDeclarations> DeclarationTreeOf(const std::string& libraryPath,
                                                             const DeclarationTreeLimits& limits) {
    const std::string root = DeclarationTreeRoot(libraryPath);
    TreeCache& cache = Cache();
    if (const auto known = cache.trees.find(root); known != cache.trees.end()) {
        return known->second;
    }
    auto tree = std::make_shared<LibraryDeclarations>();
    if (!root.empty()) {
        // Nearest first: the library's folder, then each folder above it
        // up to the root, without what was read already.
        std::size_t files = 0;
        std::size_t bytes = 0;
        fs::path done;
        fs::path folder = fs::path(libraryPath).parent_path();
        const fs::path top(root);
        while (true) {
            ReadHeadersUnder(folder, done, *tree, limits, files, bytes);
            if (folder == top || !folder.has_relative_path()) {
                break;
            }
            done = folder;
            folder = folder.parent_path();
        }
    }
    cache.trees.emplace(root, tree);
    return tree;
}

void ForgetDeclarationTree(const std::string& libraryPath) {
    TreeCache& cache = Cache();
    cache.trees.erase(DeclarationTreeRoot(libraryPath));
}

}  // namespace quill
