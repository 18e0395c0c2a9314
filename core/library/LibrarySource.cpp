#include "core/library/LibrarySource.h"

#include <filesystem>

#include "core/files/ReadTextLine.h"
#include "core/text/TextOps.h"

namespace quill {

LibrarySource ReadLibrarySource(const std::string& libraryPath) {
    LibrarySource source;
    TextFile file;
    if (libraryPath.empty() || !file.Open(libraryPath)) {
        return source;
    }
    source.opened = true;
    // Room for the file and some tab expansion, so that appending the lines
    // does not copy the text over and over.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(libraryPath), ec);
    if (!ec && size < source.text.max_size() / 2) {
        source.text.reserve(static_cast<std::size_t>(size + size / 8));
    }
    for (std::string_view line = file.NextLine(); !line.empty(); line = file.NextLine()) {
        // Tab stops count from the first byte of each piece the reader delivers.
        if (line.find('\t') == std::string_view::npos) {
            source.text += line;
        } else {
            source.text += ExpandTabs(std::string(line));
        }
    }
    if (file.ReadFailed()) {
        return LibrarySource();
    }
    return source;
}

bool LibrarySourceOpens(const std::string& libraryPath) {
    TextFile file;
    return !libraryPath.empty() && file.Open(libraryPath);
}

}  // namespace quill
