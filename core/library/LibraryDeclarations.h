#pragma once
// The named value sets a library declares: the enumerators of each enum type
// and the #define names of each documentation group ("@defgroup NAME" opened
// by "@{" and closed by "@}"). Read once per file and kept with the library.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/text/DocumentLines.h"

namespace quill {

struct DeclaredValues {
    std::vector<std::string> values;  // in declaration order
    std::string file;                 // where they are declared
    // Beside each value: the preprocessor condition it is declared under
    // inside its enum or group ("" when it is declared for every build).
    std::vector<std::string> conditions;
};

class LibraryDeclarations {
public:
    // Reads `path` through the line reader and adds what it declares. A file
    // already read, or one that cannot be opened, adds nothing.
    void AddFile(const std::string& path);
    // The same from the lines of `path` read already (every one of them).
    void AddLines(const std::string& path, const DocumentLines& lines);
    // Adds the declarations of `text`, named `file` in the results.
    void AddText(const std::string& text, const std::string& file);

    bool HasRead(const std::string& path) const { return read_.count(path) != 0; }

    // Names these files do not declare are looked up in the declarations
    // `wider` hands out, asked for only on the first such name.
    void LookFurtherIn(std::function<const LibraryDeclarations*()> wider);
    // What LookFurtherIn hands out, asked for on the first call (null when
    // nothing): a caller that shares these declarations between threads
    // asks it once before they start.
    const LibraryDeclarations* Wider() const;

    // The enumerators of an enum known by its typedef name or its tag.
    const DeclaredValues* Enum(const std::string& name) const;
    // The #defines of a documentation group.
    const DeclaredValues* Group(const std::string& name) const;

private:
    friend class DeclarationReader;

    std::map<std::string, DeclaredValues> enums_;
    std::map<std::string, DeclaredValues> groups_;
    std::set<std::string> read_;
    std::function<const LibraryDeclarations*()> wider_;
    mutable const LibraryDeclarations* widerRead_ = nullptr;
    mutable bool widerAsked_ = false;
};

}  // namespace quill
