#include "core/text/PathCase.h"

#ifndef _WIN32
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/text/TextOps.h"
#endif

namespace quill {

#ifdef _WIN32

std::string ResolvePathIgnoringCase(const std::string& path) {
    // The file system already ignores case.
    return path;
}

#else

namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

// The first name in `folder` (in byte order) equal to `name` ignoring ASCII
// case, or "" when there is none or the folder cannot be listed.
std::string FindNameIgnoringCase(const std::string& folder, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec) {
        return {};
    }
    std::vector<std::string> matches;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        std::string entry = it->path().filename().string();
        if (EqualsIgnoringCase(entry, name)) {
            matches.push_back(std::move(entry));
        }
    }
    if (matches.empty()) {
        return {};
    }
    return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::string ResolvePathIgnoringCase(const std::string& path) {
    if (path.empty() || Exists(path)) {
        return path;
    }
    // `resolved` is the text handed back; `folder` is where the next name is
    // looked up ("." for a relative path's first name).
    std::string resolved;
    std::size_t start = 0;
    if (path[0] == '/') {
        resolved = "/";
        start = 1;
    }
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) {
            slash = path.size();
        }
        const std::string name = path.substr(start, slash - start);
        if (!name.empty()) {
            const std::string folder = resolved.empty() ? std::string(".") : resolved;
            std::string candidate = resolved + name;
            if (name != "." && name != ".." && !Exists(candidate)) {
                const std::string match = FindNameIgnoringCase(folder, name);
                if (match.empty()) {
                    return path;
                }
                candidate = resolved + match;
            }
            resolved = std::move(candidate);
        }
        if (slash < path.size()) {
            // Keep every separator as written, doubled ones and a trailing one included.
            resolved += '/';
        }
        start = slash + 1;
    }
    return resolved;
}

#endif

}  // namespace quill
