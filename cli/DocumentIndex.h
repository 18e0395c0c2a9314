#pragma once
// Every function of one library, looked up and parsed as the window does it
// for one function, but with the documenting file read only once: choosing
// the functions one by one would read the file from its start for each of
// them, which takes minutes on a library of thousands of functions.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cli/FunctionChoice.h"

namespace quill::cli {

class DocumentIndex {
public:
    explicit DocumentIndex(std::string libraryPath) : libraryPath_(std::move(libraryPath)) {}

    // The same result as ChooseFunction(libraryPath, entry).
    FunctionChoice Choose(const std::string& entry);

private:
    // One line as the line reader delivers it.
    struct Line {
        std::size_t offset = 0;       // where it starts in the file
        bool opener = false;          // begins a documentation block
        bool openListBefore = false;  // the parser joins it to an open "@param" list
        std::string normalised;       // what the lookup compares with an entry
    };

    void Build(const std::string& path);
    std::optional<FunctionChoice> ChooseFromIndex(const std::string& entry) const;

    std::string libraryPath_;
    bool built_ = false;  // the file was read (or found unreadable) once
    bool usable_ = false;
    std::string path_;   // the documenting file the lookup opens
    std::string bytes_;  // its contents
    std::vector<Line> lines_;
};

}  // namespace quill::cli
